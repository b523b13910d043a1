#include "module/version.h"

namespace quendral {
namespace {

// Written only while the module is being loaded, before any caller can
// reach the exported functions that read it.
ModuleVersion loaded_version;

}  // namespace

const ModuleVersion& LoadedModuleVersion() { return loaded_version; }

void AttachModule(os::ModuleHandle instance) {
  loaded_version = ModuleVersion{};
  loaded_version.instance = instance;
  std::string path;
  // Without a handle the file name would be the executable's, not ours.
  if (instance != nullptr && os::ModuleFilePath(instance, &path)) {
    CaptureModuleVersion(path, &loaded_version);
  }
}

}  // namespace quendral
