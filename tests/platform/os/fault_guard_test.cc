// Guarded runs of code that may fault.
#include "platform/os/fault_guard.h"

#include <gtest/gtest.h>

#include <thread>

namespace quendral::os {
namespace {

#if defined(__i386__) || defined(__x86_64__)
// An instruction defined to be illegal.
void IllegalInstruction() { __asm__ __volatile__("ud2"); }
#else
void IllegalInstruction() { __builtin_trap(); }
#endif

TEST(FaultGuard, BodyThatRunsToItsEndReportsSuccess) {
  int value = 0;
  auto body = [&] { value = 42; };
  EXPECT_TRUE(RunGuarded(body));
  EXPECT_EQ(value, 42);
}

TEST(FaultGuard, FaultIsCaughtAndWhatCameBeforeItStays) {
  volatile int before = 0;
  volatile int after = 0;
  auto body = [&] {
    before = 1;
    IllegalInstruction();
    after = 1;
  };
  EXPECT_FALSE(RunGuarded(body));
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 0);
}

// The handler is gone and the signal unblocked after a fault: the next run
// catches its own fault again.
TEST(FaultGuard, CatchesFaultAfterFault) {
  for (int run = 0; run < 3; ++run) {
    auto body = [] { IllegalInstruction(); };
    EXPECT_FALSE(RunGuarded(body));
  }
  int value = 0;
  auto body = [&] { value = 7; };
  EXPECT_TRUE(RunGuarded(body));
  EXPECT_EQ(value, 7);
}

TEST(FaultGuard, ThreadsTakeTurns) {
  int faults[2] = {0, 0};
  auto work = [](int* count) {
    for (int run = 0; run < 50; ++run) {
      auto body = [] { IllegalInstruction(); };
      *count += RunGuarded(body) ? 0 : 1;
    }
  };
  std::thread first(work, &faults[0]);
  std::thread second(work, &faults[1]);
  first.join();
  second.join();
  EXPECT_EQ(faults[0], 50);
  EXPECT_EQ(faults[1], 50);
}

}  // namespace
}  // namespace quendral::os
