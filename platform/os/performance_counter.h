// The high-resolution counter that busy waits and speed measurements time
// themselves by.
//
// On Windows this is QueryPerformanceFrequency and QueryPerformanceCounter.
// Elsewhere the counter is the monotonic clock (clock_gettime with
// CLOCK_MONOTONIC) read in nanoseconds, so its frequency is 1,000,000,000.
#ifndef QUENDRAL_PLATFORM_OS_PERFORMANCE_COUNTER_H_
#define QUENDRAL_PLATFORM_OS_PERFORMANCE_COUNTER_H_

#include <cstdint>

namespace quendral::os {

// Ticks per second; 0 when the system has no such counter.
std::int64_t PerformanceCounterFrequency();

// The counter's current reading; it never goes backwards. 0 when the system
// has no such counter.
std::int64_t ReadPerformanceCounter();

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_PERFORMANCE_COUNTER_H_
