// What processor identification asks of the machine: the identification and
// timing instructions, and the busy waits the clock speed is timed by.
// Identification reads the processor only through this interface, so that
// any processor can be stood in for.
#ifndef QUENDRAL_UTIL_PROCESSOR_PROCESSOR_PROBE_H_
#define QUENDRAL_UTIL_PROCESSOR_PROCESSOR_PROBE_H_

#include <cstdint>

#include "platform/os/processor_instructions.h"

namespace quendral::util {

class ProcessorProbe {
 public:
  virtual ~ProcessorProbe() = default;

  // Each is false when the instruction faulted; values stored before the
  // fault stay.
  virtual bool Cpuid(std::uint32_t leaf, std::uint32_t subleaf,
                     os::CpuidRegisters* registers) const = 0;
  virtual bool ReadTimeStampCounter(std::uint64_t* value) const = 0;
  virtual bool ExecuteSseInstruction() const = 0;

  // WaitMilliseconds and WaitMillisecondsOverhead of util/date_entry/date_entry.h.
  virtual void Wait(std::uint32_t milliseconds) const = 0;
  virtual void WaitOverhead(std::uint32_t milliseconds) const = 0;

  // Runs the bit-scan timing loop `count` times and sets `*seconds` to the
  // time it took by the performance counter; false when the loop faulted or
  // there is no counter.
  virtual bool TimeBitScanLoop(std::uint32_t count, double* seconds) const = 0;
};

// The processor the program runs on.
const ProcessorProbe& MachineProcessor();

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_PROCESSOR_PROCESSOR_PROBE_H_
