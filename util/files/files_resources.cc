#include <algorithm>
#include <vector>

#include "platform/base/ascii.h"
#include "platform/os/resources.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

os::ResourceType TypeOfText(const std::string& type) {
  if (base::EqualsIgnoringAsciiCase(type, "HTML")) {
    return os::kHtmlResource;
  }
  if (base::EqualsIgnoringAsciiCase(type, "DATA")) {
    return os::kDataResource;
  }
  return type;
}

// The string is looked up only when the block that would hold it exists.
std::string LoadTableString(std::uint16_t id, os::ModuleHandle module) {
  std::vector<std::uint8_t> block;
  if (!os::FindModuleResource(module, os::kStringTableResource, os::StringBlockId(id), &block)) {
    return std::string();
  }
  return os::LoadStringResource(module, id);
}

}  // namespace

std::string LoadResourceText(std::uint16_t id, const std::string& type, os::ModuleHandle module) {
  if (base::EqualsIgnoringAsciiCase(type, "STRING")) {
    return LoadTableString(id, module);
  }
  std::vector<std::uint8_t> data;
  if (!os::FindModuleResource(module, TypeOfText(type), id, &data)) {
    return std::string();
  }
  const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
  return std::string(data.begin(), end);
}

std::string LoadModuleString(os::ModuleHandle module, std::uint16_t id) {
  return os::LoadStringWithSource(module, id);
}

}  // namespace quendral::util
