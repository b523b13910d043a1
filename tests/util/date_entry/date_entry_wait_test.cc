// Busy waits on the performance counter.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "platform/os/performance_counter.h"
#include "util/date_entry/date_entry.h"

namespace quendral::util {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

milliseconds TimeOf(void (*wait)(std::uint32_t), std::uint32_t count) {
  const auto start = steady_clock::now();
  wait(count);
  return std::chrono::duration_cast<milliseconds>(steady_clock::now() - start);
}

// Only a lower bound is checked: a loaded machine may always stretch a wait.
TEST(WaitMilliseconds, WaitsAtLeastTheTime) { EXPECT_GE(TimeOf(WaitMilliseconds, 30).count(), 30); }

TEST(WaitMilliseconds, ZeroReturnsWithoutWaiting) {
  EXPECT_LT(TimeOf(WaitMilliseconds, 0).count(), 1000);
}

// The overhead is the cost of setting a wait up, not of waiting: a long
// requested wait still ends after a reading or two.
TEST(WaitMillisecondsOverhead, DoesNotWait) {
  const std::int64_t ticks_per_millisecond = os::PerformanceCounterFrequency() / 1000;
  const std::uint32_t elapsed = WaitMillisecondsOverhead(5000);
  EXPECT_LT(elapsed, 5000 * ticks_per_millisecond);
  EXPECT_LT(TimeOf([](std::uint32_t count) { WaitMillisecondsOverhead(count); }, 5000).count(),
            5000);
}

// A request of 0 would be met by the very first reading; the overhead loop
// goes on until the counter has moved.
TEST(WaitMillisecondsOverhead, ZeroReturnsTheTicksOfOneMovedReading) {
  EXPECT_GT(WaitMillisecondsOverhead(0), 0U);
}

}  // namespace
}  // namespace quendral::util
