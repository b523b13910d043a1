#include "platform/os/performance_counter.h"

#include <time.h>

namespace quendral::os {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

}  // namespace

std::int64_t PerformanceCounterFrequency() {
  timespec resolution{};
  return ::clock_getres(CLOCK_MONOTONIC, &resolution) == 0 ? kNanosecondsPerSecond : 0;
}

std::int64_t ReadPerformanceCounter() {
  timespec now{};
  if (::clock_gettime(CLOCK_MONOTONIC, &now) != 0) {
    return 0;
  }
  return static_cast<std::int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

}  // namespace quendral::os
