// A gate in front of a few platform calls, which a test program may close.
//
// The platform rarely refuses a call half-way through a caller's work, yet
// every caller must handle it when it does. A test program installs a gate
// that refuses the calls it chooses; a refused call fails as the platform
// fails it for want of the item or of memory. The library installs no gate,
// and without one every call goes ahead for the cost of one load.
#ifndef QUENDRAL_PLATFORM_NOTES_CORE_CALL_GATE_H_
#define QUENDRAL_PLATFORM_NOTES_CORE_CALL_GATE_H_

namespace quendral::platform {

enum class GatedCall {
  kQueryItem,   // the core item query; refused, it fails with kErrItemNotFound
  kCreateItem,  // LNNote::CreateItem; refused, it fails with kErrOutOfMemory
  kCount
};

// Answers whether `call` may go ahead.
using CallGate = bool (*)(GatedCall call);

// Installs `gate` for every thread; nullptr opens the way again.
void InstallCallGate(CallGate gate);

// True when no gate is installed or the installed one lets `call` through.
bool CallMayProceed(GatedCall call);

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_CORE_CALL_GATE_H_
