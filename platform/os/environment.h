// The process's environment: which system it runs on, and its variables.
//
// Reading a variable is std::getenv everywhere; changing one is setenv and
// unsetenv outside Windows, the C runtime's _putenv_s on Windows, so that
// std::getenv sees the change on both.
#ifndef QUENDRAL_PLATFORM_OS_ENVIRONMENT_H_
#define QUENDRAL_PLATFORM_OS_ENVIRONMENT_H_

namespace quendral::os {

// True in the Windows build. For the rare caller (mostly tests) whose
// expectations differ by system; code that must not compile on the other
// system belongs in the system's own files instead.
extern const bool kRunsOnWindows;

// Sets `name` to `value` for this process and the processes it starts.
// Windows cannot hold an empty value: there the variable is removed instead.
void SetEnvironment(const char* name, const char* value);

// Removes `name`; nothing happens when it is not set.
void UnsetEnvironment(const char* name);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_ENVIRONMENT_H_
