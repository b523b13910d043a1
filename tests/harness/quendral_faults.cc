// quendral_faults: the quendral tool on a failing disk, for the fault
// harness. Built with the tests only and never shipped.
//
//   QUENDRAL_FAULT=write:N quendral_faults ARGUMENTS...
//
// runs `quendral ARGUMENTS...` with the Nth write of the run, and every later
// one, failing ("sync:N", "lock:N" and "full:N" likewise); without the
// variable it is the tool itself.
#include <iostream>

#include "support/faults/failing_disk.h"
#include "tools/quendral/commands.h"

int main(int argc, char** argv) {
  namespace disk = quendral::fixtures::disk;
  if (!disk::ArmFaultFromEnvironment()) {
    std::cerr << "quendral_faults: " << disk::kFaultVariable
              << " must be write:N, sync:N, lock:N or full:N with N from 1\n";
    return 2;
  }
  return quendral::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
}
