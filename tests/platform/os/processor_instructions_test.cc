// The identification and timing instructions on this machine's processor.
#include "platform/os/processor_instructions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quendral::os {
namespace {

#if defined(__i386__) || defined(__x86_64__)

TEST(ProcessorInstructions, CpuidLeafZeroNamesAVendor) {
  CpuidRegisters registers;
  ASSERT_TRUE(ExecuteCpuid(0, 0, &registers));
  EXPECT_GE(registers.eax, 1U);
  char vendor[12];
  std::memcpy(vendor, &registers.ebx, 4);
  std::memcpy(vendor + 4, &registers.edx, 4);
  std::memcpy(vendor + 8, &registers.ecx, 4);
  for (const char character : vendor) {
    EXPECT_GE(character, ' ');
  }
}

TEST(ProcessorInstructions, TimeStampCounterMovesForward) {
  std::uint64_t first = 0;
  std::uint64_t second = 0;
  ASSERT_TRUE(ReadTimeStampCounter(&first));
  ASSERT_TRUE(RunBitScanLoop(100000));
  ASSERT_TRUE(ReadTimeStampCounter(&second));
  EXPECT_GT(second, first);
}

#if defined(__x86_64__)
// Every x86-64 system enables SSE.
TEST(ProcessorInstructions, SseInstructionRuns) { EXPECT_TRUE(ExecuteSseInstruction()); }
#endif

TEST(ProcessorInstructions, BitScanLoopOfZeroDoesNothing) { EXPECT_TRUE(RunBitScanLoop(0)); }

#endif

}  // namespace
}  // namespace quendral::os
