#include "platform/os/performance_counter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

namespace quendral::os {
namespace {

TEST(PerformanceCounter, HasAFrequencyFitForMillisecondWaits) {
  EXPECT_GE(PerformanceCounterFrequency(), 1000);
}

#if !defined(_WIN32)
TEST(PerformanceCounter, CountsNanosecondsOutsideWindows) {
  EXPECT_EQ(PerformanceCounterFrequency(), 1000000000);
}
#endif

TEST(PerformanceCounter, NeverGoesBackwards) {
  std::int64_t previous = ReadPerformanceCounter();
  for (int reading = 0; reading < 100000; ++reading) {
    const std::int64_t now = ReadPerformanceCounter();
    ASSERT_GE(now, previous);
    previous = now;
  }
}

// Agrees with the standard library's steady clock about how much time went
// by, to within its own resolution.
TEST(PerformanceCounter, AdvancesWithTime) {
  const std::int64_t start = ReadPerformanceCounter();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::int64_t elapsed = ReadPerformanceCounter() - start;
  EXPECT_GE(elapsed, PerformanceCounterFrequency() / 1000 * 50);
}

}  // namespace
}  // namespace quendral::os
