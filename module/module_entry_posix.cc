// The module's entry outside Windows: the loader runs it when it maps the
// library, before any exported function can be called.
#if !defined(_WIN32)

#include "module/version.h"
#include "platform/os/module.h"

namespace {

__attribute__((constructor)) void LoadModule() {
  quendral::AttachModule(
      quendral::os::ModuleContaining(reinterpret_cast<const void*>(&LoadModule)));
}

}  // namespace

#endif
