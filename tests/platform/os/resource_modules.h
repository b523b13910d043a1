// The modules the resource tests look resources up in: the resource test
// module (tests/platform/os/resource_module) and the library itself, each
// loaded for the lifetime of the object and named by an entry it exports.
#ifndef QUENDRAL_TESTS_PLATFORM_OS_RESOURCE_MODULES_H_
#define QUENDRAL_TESTS_PLATFORM_OS_RESOURCE_MODULES_H_

#include <string>

#include "platform/os/library.h"
#include "platform/os/module.h"
#include "platform/os/test_libraries.h"

namespace quendral::os_test {

class ModuleWithResources {
 public:
  ModuleWithResources(const std::string& path, const char* entry)
      : library_(path),
        handle_(library_.loaded()
                    ? os::ModuleContaining(reinterpret_cast<const void*>(library_.Find(entry)))
                    : nullptr) {}

  os::ModuleHandle handle() const { return handle_; }

 private:
  os::LoadedLibrary library_;
  os::ModuleHandle handle_;
};

inline std::string ResourceModulePath() { return VersionModulePath("resource_module"); }

// The resource test module; its description is resource_module/resources.json.
class ResourceTestModule : public ModuleWithResources {
 public:
  ResourceTestModule() : ModuleWithResources(ResourceModulePath(), "ResourceModuleAnchor") {}
};

// The library, whose description is module/resources.json.
class LibraryModule : public ModuleWithResources {
 public:
  LibraryModule() : ModuleWithResources(QuendralLibraryPath(), "GetMajorVersion") {}
};

}  // namespace quendral::os_test

#endif  // QUENDRAL_TESTS_PLATFORM_OS_RESOURCE_MODULES_H_
