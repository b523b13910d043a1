#include "platform/notes/core/call_gate.h"

#include <atomic>

namespace quendral::platform {
namespace {

std::atomic<CallGate> installed_gate{nullptr};

}  // namespace

void InstallCallGate(CallGate gate) { installed_gate.store(gate, std::memory_order_release); }

bool CallMayProceed(GatedCall call) {
  const CallGate gate = installed_gate.load(std::memory_order_acquire);
  return gate == nullptr || gate(call);
}

}  // namespace quendral::platform
