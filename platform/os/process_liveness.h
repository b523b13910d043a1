// Whether the process that left something behind still runs.
#ifndef QUENDRAL_PLATFORM_OS_PROCESS_LIVENESS_H_
#define QUENDRAL_PLATFORM_OS_PROCESS_LIVENESS_H_

#include <cstdint>

namespace quendral::os {

// The system's number of the calling process (getpid, GetCurrentProcessId).
std::uint64_t ThisProcessNumber();

// True only when no process of that number runs any more. A number the
// system has given to a newer process counts as running, and so does one
// that cannot be asked about: what it left is never taken from a live
// owner.
bool ProcessHasEnded(std::uint64_t number);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_PROCESS_LIVENESS_H_
