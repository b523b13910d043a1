// Busy waits on the performance counter.
#include <cstdint>
#include <limits>

#include "platform/os/performance_counter.h"
#include "util/date_entry/date_entry.h"

namespace quendral::util {

namespace {

// Whole ticks per millisecond times the wait: a counter slower than 1000
// ticks a second gives no wait at all. Saturates rather than wrap for a
// counter too fast for the product.
std::int64_t TargetTicks(std::int64_t frequency, std::uint32_t milliseconds) {
  const std::int64_t per_millisecond = frequency / 1000;
  if (milliseconds != 0 &&
      per_millisecond > std::numeric_limits<std::int64_t>::max() / milliseconds) {
    return std::numeric_limits<std::int64_t>::max();
  }
  return per_millisecond * milliseconds;
}

}  // namespace

void WaitMilliseconds(std::uint32_t milliseconds) {
  const std::int64_t frequency = os::PerformanceCounterFrequency();
  if (frequency <= 0) {
    return;
  }
  const std::int64_t target = TargetTicks(frequency, milliseconds);
  const std::int64_t start = os::ReadPerformanceCounter();
  while (os::ReadPerformanceCounter() - start < target) {
  }
}

// Goes through the motions of WaitMilliseconds but stops at the first reading
// that has not hit the target exactly, which is nearly always the first.
std::uint32_t WaitMillisecondsOverhead(std::uint32_t milliseconds) {
  const std::int64_t frequency = os::PerformanceCounterFrequency();
  if (frequency <= 0) {
    return 0;
  }
  const std::int64_t target = TargetTicks(frequency, milliseconds);
  const std::int64_t start = os::ReadPerformanceCounter();
  std::int64_t elapsed = 0;
  do {
    elapsed = os::ReadPerformanceCounter() - start;
  } while (elapsed == target);
  return static_cast<std::uint32_t>(elapsed);
}

}  // namespace quendral::util
