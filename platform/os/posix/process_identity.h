// Processes told apart by number and start time, so that a later process
// that was given the same number is not taken for an earlier one.
#ifndef QUENDRAL_PLATFORM_OS_POSIX_PROCESS_IDENTITY_H_
#define QUENDRAL_PLATFORM_OS_POSIX_PROCESS_IDENTITY_H_

#include <string>

namespace quendral::os {

// "number:start time" of the calling process.
std::string ThisProcessIdentity();

// True while the process `identity` names runs.
bool ProcessIsRunning(const std::string& identity);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_POSIX_PROCESS_IDENTITY_H_
