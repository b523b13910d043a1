// The process-wide source of resources. One lock guards it and every load
// through it, so that a load never sees another thread's passing source.
#include "platform/os/resources.h"

#include <mutex>

namespace quendral::os {
namespace {

struct Source {
  std::mutex mutex;
  ModuleHandle module;
};

Source& TheSource() {
  static Source source{{}, ModuleContaining(reinterpret_cast<const void*>(&TheSource))};
  return source;
}

}  // namespace

ModuleHandle ResourceSource() {
  Source& source = TheSource();
  const std::lock_guard<std::mutex> lock(source.mutex);
  return source.module;
}

ModuleHandle SetResourceSource(ModuleHandle module) {
  Source& source = TheSource();
  const std::lock_guard<std::mutex> lock(source.mutex);
  const ModuleHandle previous = source.module;
  source.module = module;
  return previous;
}

std::string LoadSourceString(std::uint16_t id) {
  Source& source = TheSource();
  const std::lock_guard<std::mutex> lock(source.mutex);
  return LoadStringResource(source.module, id);
}

std::string LoadStringWithSource(ModuleHandle module, std::uint16_t id) {
  Source& source = TheSource();
  const std::lock_guard<std::mutex> lock(source.mutex);
  const ModuleHandle previous = source.module;
  source.module = module;
  std::string text = LoadStringResource(source.module, id);
  source.module = previous;
  return text;
}

}  // namespace quendral::os
