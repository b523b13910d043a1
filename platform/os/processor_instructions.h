// The processor's own identification and timing instructions, each executed
// under a fault guard (platform/os/fault_guard.h).
//
// They exist on x86 processors only; elsewhere every function reports a
// fault.
#ifndef QUENDRAL_PLATFORM_OS_PROCESSOR_INSTRUCTIONS_H_
#define QUENDRAL_PLATFORM_OS_PROCESSOR_INSTRUCTIONS_H_

#include <cstdint>

namespace quendral::os {

// The four registers an identification instruction (CPUID) answers with.
struct CpuidRegisters {
  std::uint32_t eax = 0;
  std::uint32_t ebx = 0;
  std::uint32_t ecx = 0;
  std::uint32_t edx = 0;
};

// Each returns false when the instruction faulted (or does not exist here).
bool ExecuteCpuid(std::uint32_t leaf, std::uint32_t subleaf, CpuidRegisters* registers);
bool ReadTimeStampCounter(std::uint64_t* value);
// A bitwise OR of an SSE register with itself: faults when the system has
// not enabled SSE.
bool ExecuteSseInstruction();
// `count` times a bit scan forward of 0x80000000 and a decrement-and-branch:
// the loop whose duration tells the clock speed of early x86 processors.
bool RunBitScanLoop(std::uint32_t count);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_PROCESSOR_INSTRUCTIONS_H_
