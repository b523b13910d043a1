// How much memory the process's children needed: for measuring a program
// run as a child, so that the measuring process's own memory stays out.
#ifndef QUENDRAL_PLATFORM_OS_CHILD_MEMORY_H_
#define QUENDRAL_PLATFORM_OS_CHILD_MEMORY_H_

#include <cstdint>

namespace os {

// The largest peak resident size, in bytes, of the children waited for so
// far; 0 when the system cannot tell.
std::uint64_t PeakResidentSizeOfChildren();

}  // namespace os

#endif  // QUENDRAL_PLATFORM_OS_CHILD_MEMORY_H_
