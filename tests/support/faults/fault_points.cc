#include "support/faults/fault_points.h"

#include <array>
#include <atomic>
#include <cstddef>

namespace quendral::fixtures {
namespace {

using platform::GatedCall;

// Per call, 0 when nothing is to fail, else the number of calls to pass + 1.
std::array<std::atomic<int>, static_cast<std::size_t>(GatedCall::kCount)> countdowns{};

std::atomic<int>& Countdown(GatedCall call) { return countdowns[static_cast<std::size_t>(call)]; }

// Counts a call; refuses the one that brings its countdown to 0.
bool LetThrough(GatedCall call) {
  std::atomic<int>& countdown = Countdown(call);
  int left = countdown.load(std::memory_order_relaxed);
  while (left != 0) {
    if (countdown.compare_exchange_weak(left, left - 1)) {
      return left != 1;
    }
  }
  return true;
}

}  // namespace

void ArmFault(GatedCall call, int calls_to_pass) {
  Countdown(call) = calls_to_pass + 1;
  platform::InstallCallGate(LetThrough);
}

void DisarmFaults() {
  platform::InstallCallGate(nullptr);
  for (std::atomic<int>& countdown : countdowns) {
    countdown = 0;
  }
}

}  // namespace quendral::fixtures
