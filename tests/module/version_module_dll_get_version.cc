// The "DllGetVersion" entry of two test modules: one reports 11.12.13, the
// other fails (DLL_GET_VERSION_RESULT negative) and so leaves the capture to
// the module's version block.
#include "module/version.h"

#include <cstdint>

#include "quendral/quendral.h"

extern "C" QUENDRAL_API std::int32_t QUENDRAL_CALL
DllGetVersion(quendral::DllVersionRecord* record) {
  if (record->size != sizeof(*record)) {
    return -1;
  }
  record->major = 11;
  record->minor = 12;
  record->build = 13;
  return DLL_GET_VERSION_RESULT;
}
