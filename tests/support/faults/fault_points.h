// Platform calls failed on demand, for the tests of callers' error paths.
//
// A test arms a gated platform call to fail once, after a number of calls
// that still succeed, so that it reaches the branch a caller takes when the
// platform refuses in the middle of its work. Arming installs this program's
// gate in the platform; the library itself never does.
#ifndef QUENDRAL_TESTS_SUPPORT_FAULTS_FAULT_POINTS_H_
#define QUENDRAL_TESTS_SUPPORT_FAULTS_FAULT_POINTS_H_

#include "platform/notes/core/call_gate.h"

namespace quendral::fixtures {

// Makes the `call` that follows `calls_to_pass` more successful ones fail,
// once.
void ArmFault(platform::GatedCall call, int calls_to_pass);

// Disarms every call and takes the gate away.
void DisarmFaults();

}  // namespace quendral::fixtures

#endif  // QUENDRAL_TESTS_SUPPORT_FAULTS_FAULT_POINTS_H_
