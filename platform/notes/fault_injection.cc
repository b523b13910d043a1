#include "platform/notes/fault_injection.h"

#include <array>
#include <atomic>
#include <cstddef>

namespace quendral::platform {
namespace {

// Per point, 0 when nothing is to fail, else the number of calls to pass + 1.
std::array<std::atomic<int>, static_cast<std::size_t>(FaultPoint::kCount)> countdowns{};

std::atomic<int>& Countdown(FaultPoint point) {
  return countdowns[static_cast<std::size_t>(point)];
}

}  // namespace

void ArmFault(FaultPoint point, int calls_to_pass) { Countdown(point) = calls_to_pass + 1; }

void DisarmFaults() {
  for (std::atomic<int>& countdown : countdowns) {
    countdown = 0;
  }
}

bool FaultDue(FaultPoint point) {
  std::atomic<int>& countdown = Countdown(point);
  int left = countdown.load(std::memory_order_relaxed);
  // An unarmed point costs one load; an armed one counts down, and the call
  // that brings it to 0 fails.
  while (left != 0) {
    if (countdown.compare_exchange_weak(left, left - 1)) {
      return left == 1;
    }
  }
  return false;
}

}  // namespace quendral::platform
