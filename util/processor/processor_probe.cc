#include "util/processor/processor_probe.h"

#include "platform/os/performance_counter.h"
#include "util/date_entry/date_entry.h"

namespace quendral::util {
namespace {

class Machine final : public ProcessorProbe {
 public:
  bool Cpuid(std::uint32_t leaf, std::uint32_t subleaf,
             os::CpuidRegisters* registers) const override {
    return os::ExecuteCpuid(leaf, subleaf, registers);
  }
  bool ReadTimeStampCounter(std::uint64_t* value) const override {
    return os::ReadTimeStampCounter(value);
  }
  bool ExecuteSseInstruction() const override { return os::ExecuteSseInstruction(); }

  void Wait(std::uint32_t milliseconds) const override { WaitMilliseconds(milliseconds); }
  void WaitOverhead(std::uint32_t milliseconds) const override {
    WaitMillisecondsOverhead(milliseconds);
  }

  bool TimeBitScanLoop(std::uint32_t count, double* seconds) const override {
    const std::int64_t start = os::ReadPerformanceCounter();
    if (!os::RunBitScanLoop(count)) {
      return false;
    }
    const std::int64_t elapsed = os::ReadPerformanceCounter() - start;
    const std::int64_t frequency = os::PerformanceCounterFrequency();
    if (frequency <= 0) {
      return false;
    }
    *seconds = static_cast<double>(elapsed) / static_cast<double>(frequency);
    return true;
  }
};

}  // namespace

const ProcessorProbe& MachineProcessor() {
  static const Machine machine;
  return machine;
}

}  // namespace quendral::util
