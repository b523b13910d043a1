#include "platform/os/processor_instructions.h"

#include "platform/os/fault_guard.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#define QUENDRAL_X86 1
#endif

namespace quendral::os {

#if defined(QUENDRAL_X86)

bool ExecuteCpuid(std::uint32_t leaf, std::uint32_t subleaf, CpuidRegisters* registers) {
  auto body = [&] {
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    __cpuid_count(leaf, subleaf, eax, ebx, ecx, edx);
    *registers = CpuidRegisters{eax, ebx, ecx, edx};
  };
  return RunGuarded(body);
}

bool ReadTimeStampCounter(std::uint64_t* value) {
  auto body = [&] { *value = __rdtsc(); };
  return RunGuarded(body);
}

bool ExecuteSseInstruction() {
  // OR of a register with itself leaves its value as it was, so nothing is
  // clobbered.
  auto body = [] { __asm__ __volatile__("orps %%xmm0, %%xmm0" ::: "memory"); };
  return RunGuarded(body);
}

bool RunBitScanLoop(std::uint32_t count) {
  if (count == 0) {
    return true;
  }
  // LOOP counts down the whole count register: RCX on x86-64, ECX on x86.
  std::uintptr_t remaining = count;
  auto body = [&] {
    __asm__ __volatile__(
        "1:\n\t"
        "bsf %1, %%eax\n\t"
        "loop 1b"
        : "+c"(remaining)
        : "r"(0x80000000U)
        : "eax", "cc");
  };
  return RunGuarded(body);
}

#else

bool ExecuteCpuid(std::uint32_t, std::uint32_t, CpuidRegisters*) { return false; }
bool ReadTimeStampCounter(std::uint64_t*) { return false; }
bool ExecuteSseInstruction() { return false; }
bool RunBitScanLoop(std::uint32_t) { return false; }

#endif

}  // namespace quendral::os
