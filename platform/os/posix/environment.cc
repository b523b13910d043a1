#include "platform/os/environment.h"

#include <stdlib.h>

namespace quendral::os {

const bool kRunsOnWindows = false;

void SetEnvironment(const char* name, const char* value) { ::setenv(name, value, 1); }

void UnsetEnvironment(const char* name) { ::unsetenv(name); }

}  // namespace quendral::os
