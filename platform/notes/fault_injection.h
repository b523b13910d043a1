// Failures on demand, for the tests of callers' error paths.
//
// A few platform calls can be told to fail once, after a number of calls
// that still succeed, so that a test can reach the branch a caller takes when
// the platform refuses in the middle of its work. Nothing fails unless a test
// arms a fault; the library's exported interface does not reach this.
#ifndef QUENDRAL_PLATFORM_NOTES_FAULT_INJECTION_H_
#define QUENDRAL_PLATFORM_NOTES_FAULT_INJECTION_H_

namespace quendral::platform {

enum class FaultPoint {
  kQueryItem,   // the core item query fails with kErrItemNotFound
  kCreateItem,  // LNNote::CreateItem fails with kErrOutOfMemory
  kCount
};

// Makes the call at `point` that follows `calls_to_pass` more successful ones
// fail, once.
void ArmFault(FaultPoint point, int calls_to_pass);

// Disarms every fault.
void DisarmFaults();

// Counts a call at `point`; true when it is the one to fail.
bool FaultDue(FaultPoint point);

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_FAULT_INJECTION_H_
