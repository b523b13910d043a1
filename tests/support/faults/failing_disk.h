// A failing disk under the store, for the tests that prove that no fault
// loses or half-writes a note.
//
// Faults are injected by a SQLite VFS of our own that wraps the system's
// default one and, while armed, becomes the default of every connection
// opened afterwards. It counts the writes, syncs and lock requests that pass
// through it and fails the nth one of the planned kind and every later one,
// as a disk that broke or filled up does. A test arms it directly; the test
// build of the tool is armed by the environment variable QUENDRAL_FAULT
// ("write:N", "sync:N", "lock:N" or "full:N") before it does anything else.
// Test programs only: the library and the shipped tool never link it.
#ifndef QUENDRAL_TESTS_SUPPORT_FAULTS_FAILING_DISK_H_
#define QUENDRAL_TESTS_SUPPORT_FAULTS_FAILING_DISK_H_

#include <cstdint>
#include <string_view>

namespace quendral::fixtures::disk {

enum class FaultKind {
  kWrite,     // the write fails with an I/O error
  kSync,      // the sync fails with an I/O error
  kLock,      // taking a file or shared-memory lock fails with an I/O error
  kDiskFull,  // the write fails with SQLITE_FULL
};

struct FaultPlan {
  FaultKind kind = FaultKind::kWrite;
  std::uint64_t nth = 1;  // 1 for the first call of that kind
};

inline constexpr const char* kFaultVariable = "QUENDRAL_FAULT";

// The calls counted since the VFS was last armed or counting began.
struct FaultCounts {
  std::uint64_t writes = 0;
  std::uint64_t syncs = 0;
  std::uint64_t locks = 0;
  std::uint64_t failed = 0;  // calls failed on purpose
};

// Routes new connections through the VFS, counting from zero, without
// failing anything: how a test learns how many calls an operation makes.
void CountIoCalls();
// Routes new connections through the VFS, failing as `plan` says.
void ArmFault(const FaultPlan& plan);
// Stops failing and counting; connections open from now on use the
// system's VFS again.
void DisarmFaults();
FaultCounts CountedIoCalls();

// "write:3" and the like; false for any other text.
bool ParseFaultPlan(std::string_view text, FaultPlan* plan);
// Arms the plan in QUENDRAL_FAULT when it is set; false, arming nothing,
// when it is set to anything but a plan.
bool ArmFaultFromEnvironment();

}  // namespace quendral::fixtures::disk

#endif  // QUENDRAL_TESTS_SUPPORT_FAULTS_FAILING_DISK_H_
