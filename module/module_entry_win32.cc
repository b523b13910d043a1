// The module's entry on Windows. The loader's notifications other than
// process attach need nothing; every one reports success, so the module
// loads even when its version cannot be read.
#if defined(_WIN32)

#include "module/version.h"

namespace {

constexpr unsigned long kProcessAttach = 1;  // DLL_PROCESS_ATTACH

}  // namespace

extern "C" int __stdcall DllMain(void* instance, unsigned long reason, void* /*reserved*/) {
  if (reason == kProcessAttach) {
    quendral::AttachModule(instance);
  }
  return 1;
}

#endif
