#include "platform/os/environment.h"

#include <stdlib.h>

namespace quendral::os {

const bool kRunsOnWindows = true;

void SetEnvironment(const char* name, const char* value) { ::_putenv_s(name, value); }

// The C runtime removes a variable set to the empty text.
void UnsetEnvironment(const char* name) { ::_putenv_s(name, ""); }

}  // namespace quendral::os
