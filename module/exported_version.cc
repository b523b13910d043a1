// The exported version functions: what the module captured when it was
// loaded.
#include "module/version.h"
#include "quendral/quendral.h"

int QUENDRAL_CALL GetMajorVersion(void) { return quendral::LoadedModuleVersion().major; }

int QUENDRAL_CALL GetMinorVersion(void) { return quendral::LoadedModuleVersion().minor; }

int QUENDRAL_CALL GetBuildNumber(void) { return quendral::LoadedModuleVersion().build; }
