// Cache sizes from the extended leaves and from leaf-2 descriptors.
#include <gtest/gtest.h>

#include <vector>

#include "tests/util/processor/scripted_processor.h"
#include "util/processor/processor.h"

namespace quendral::util {
namespace {

// One leaf-2 answer with up to 15 descriptors in reading order: EAX bytes
// 1-3, then EBX, ECX and EDX from their low bytes up.
os::CpuidRegisters Descriptors(std::vector<std::uint8_t> bytes, std::uint8_t passes = 1) {
  os::CpuidRegisters registers{passes, 0, 0, 0};
  std::uint32_t* words[] = {&registers.eax, &registers.ebx, &registers.ecx, &registers.edx};
  for (std::size_t i = 0; i < bytes.size() && i < 15; ++i) {
    const std::size_t position = i + 1;
    *words[position / 4] |= std::uint32_t{bytes[i]} << (8 * (position % 4));
  }
  return registers;
}

struct Sizes {
  std::int32_t level1;
  std::int32_t level2;
  std::int32_t level3;
};

Sizes SizesOf(const ProcessorInfo& info) {
  return Sizes{info.GetCacheSize(kFeatureLevel1Cache), info.GetCacheSize(kFeatureLevel2Cache),
               info.GetCacheSize(kFeatureLevel3Cache)};
}

#define EXPECT_SIZES(info, l1, l2, l3) \
  do {                                 \
    const Sizes sizes = SizesOf(info); \
    EXPECT_EQ(sizes.level1, l1);       \
    EXPECT_EQ(sizes.level2, l2);       \
    EXPECT_EQ(sizes.level3, l3);       \
  } while (false)

// Intel before family 15 has no extended leaves: its caches come from leaf 2.
ProcessorInfo IntelWithDescriptors(ScriptedProcessor& probe,
                                   std::vector<os::CpuidRegisters> passes) {
  probe.SetDescriptorPasses(std::move(passes));
  return ProcessorInfo(probe);
}

TEST(ProcessorCacheExtendedLeaves, Level1IsDataPlusInstructionLevel2FromLeaf80000006) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000000).eax = 0x80000006;
  probe.Leaf(0x80000005) = os::CpuidRegisters{0, 0, 0x40'000000, 0x20'000000};
  probe.Leaf(0x80000006) = os::CpuidRegisters{0, 0, 0x0100'0000, 0};
  const ProcessorInfo info(probe);
  EXPECT_SIZES(info, 96, 256, -1);
  EXPECT_TRUE(info.HasFeature(kFeatureLevel2Cache));
  EXPECT_FALSE(info.HasFeature(kFeatureLevel3Cache));
}

TEST(ProcessorCacheExtendedLeaves, Level2AloneWhenLeaf80000005IsMissing) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000000).eax = 0x80000006;
  probe.Leaf(0x80000006) = os::CpuidRegisters{0, 0, 0x0040'0000, 0};
  probe.FaultOnLeaf(0x80000005);
  EXPECT_SIZES(ProcessorInfo(probe), -1, 64, -1);
}

TEST(ProcessorCacheExtendedLeaves, UnavailableLeavesFallBackToDescriptors) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000005) = os::CpuidRegisters{0, 0, 0x40'000000, 0x20'000000};
  probe.SetDescriptorPasses({Descriptors({0x43, 0x0C})});
  EXPECT_SIZES(ProcessorInfo(probe), 16, 512, -1);
}

struct GateRow {
  const char* vendor;
  std::uint32_t family;
  std::uint32_t model;
  bool available;
};

class ProcessorExtendedLeafGate : public testing::TestWithParam<GateRow> {};

TEST_P(ProcessorExtendedLeafGate, DecidesWhetherTheLeavesAreRead) {
  ScriptedProcessor probe(GetParam().vendor, GetParam().family, GetParam().model);
  probe.Leaf(0x80000000).eax = 0x80000006;
  probe.Leaf(0x80000006) = os::CpuidRegisters{0, 0, 0x0100'0000, 0};
  EXPECT_EQ(ProcessorInfo(probe).GetCacheSize(kFeatureLevel2Cache),
            GetParam().available ? 256 : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Vendors, ProcessorExtendedLeafGate,
    testing::Values(GateRow{"AuthenticAMD", 4, 15, false}, GateRow{"AuthenticAMD", 5, 5, false},
                    GateRow{"AuthenticAMD", 5, 6, true}, GateRow{"AuthenticAMD", 6, 0, true},
                    GateRow{"CyrixInstead", 4, 9, false}, GateRow{"CyrixInstead", 5, 3, false},
                    GateRow{"CyrixInstead", 5, 4, true}, GateRow{"CyrixInstead", 6, 4, false},
                    GateRow{"CyrixInstead", 6, 5, true}, GateRow{"CyrixInstead", 7, 0, true},
                    GateRow{"CentaurHauls", 4, 9, false}, GateRow{"CentaurHauls", 5, 7, false},
                    GateRow{"CentaurHauls", 5, 8, true}, GateRow{"CentaurHauls", 6, 0, true},
                    GateRow{"GenuineTMx86", 4, 9, false}, GateRow{"GenuineTMx86", 5, 0, true},
                    GateRow{"GenuineIntel", 14, 15, false}, GateRow{"GenuineIntel", 15, 0, true},
                    GateRow{"RiseRiseRise", 0, 0, true}, GateRow{"UMC UMC UMC ", 4, 1, true},
                    GateRow{"Geode By NSC", 1, 0, true}, GateRow{"Unknown Corp", 3, 0, true}));

TEST(ProcessorExtendedLeafGate, LeafPastTheHighestIsUnavailable) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000000).eax = 0x80000005;
  probe.Leaf(0x80000006) = os::CpuidRegisters{0, 0, 0x0100'0000, 0};
  EXPECT_EQ(ProcessorInfo(probe).GetCacheSize(kFeatureLevel2Cache), -1);
}

TEST(ProcessorExtendedLeafGate, HighestLeafIsComparedWithoutItsTopBit) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000000).eax = 0x00000006;
  probe.Leaf(0x80000006) = os::CpuidRegisters{0, 0, 0x0100'0000, 0};
  EXPECT_EQ(ProcessorInfo(probe).GetCacheSize(kFeatureLevel2Cache), 256);
}

TEST(ProcessorCacheDescriptors, UnknownDescriptorLeavesEverySizeUnknown) {
  for (const std::uint8_t unknown : {std::uint8_t{0x05}, std::uint8_t{0x9C}, std::uint8_t{0xFF}}) {
    ScriptedProcessor probe("GenuineIntel", 6, 8);
    const ProcessorInfo info = IntelWithDescriptors(probe, {Descriptors({0x43, 0x0C, unknown})});
    EXPECT_SIZES(info, -1, -1, -1);
    EXPECT_FALSE(info.HasFeature(kFeatureLevel1Cache));
  }
}

TEST(ProcessorCacheDescriptors, TraceCacheCountsOnlyWithoutLevel1Caches) {
  ScriptedProcessor with_data("GenuineIntel", 15, 2);
  EXPECT_EQ(IntelWithDescriptors(with_data, {Descriptors({0x66, 0x70})})
                .GetCacheSize(kFeatureLevel1Cache),
            8);
  ScriptedProcessor trace_only("GenuineIntel", 15, 2);
  EXPECT_EQ(
      IntelWithDescriptors(trace_only, {Descriptors({0x70})}).GetCacheSize(kFeatureLevel1Cache),
      12);
}

TEST(ProcessorCacheDescriptors, InstructionAndDataAreAdded) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  EXPECT_SIZES(IntelWithDescriptors(probe, {Descriptors({0x08, 0x0C, 0x8D})}), 32, -1, 3072);
}

TEST(ProcessorCacheDescriptors, InstructionAloneIsLevel1) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  EXPECT_SIZES(IntelWithDescriptors(probe, {Descriptors({0x77})}), 16, -1, -1);
}

TEST(ProcessorCacheDescriptors, Descriptor40MakesAnUnknownLevel2Zero) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  EXPECT_SIZES(IntelWithDescriptors(probe, {Descriptors({0x40})}), -1, 0, -1);
}

TEST(ProcessorCacheDescriptors, LargestDescriptorOfACacheWins) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  EXPECT_SIZES(IntelWithDescriptors(probe, {Descriptors({0x45, 0x40, 0x41, 0x29, 0x22})}), -1, 2048,
               4096);
}

TEST(ProcessorCacheDescriptors, TranslationBuffersChangeNothing) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  const ProcessorInfo info =
      IntelWithDescriptors(probe, {Descriptors({0x01, 0x02, 0x03, 0x04, 0x50, 0x51, 0x52, 0x5B,
                                                0x5C, 0x5D, 0x90, 0x96, 0x9B, 0x7E})});
  EXPECT_SIZES(info, -1, 256, -1);
}

// EAX byte 0 counts the passes; bytes 1-3 are descriptors.
TEST(ProcessorCacheDescriptors, EaxByteZeroIsTheCountTheOthersAreDescriptors) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  // 0x05 is no descriptor: read as one, it would fail the step.
  const os::CpuidRegisters pass{0x0A'06'45'05, 0, 0, 0};
  EXPECT_SIZES(IntelWithDescriptors(probe, {pass}), 16, 2048, -1);
  EXPECT_EQ(probe.descriptor_executions(), 5);
}

// Registers with bit 31 set are read like the others.
TEST(ProcessorCacheDescriptors, RegistersWithTheTopBitSetAreRead) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  EXPECT_SIZES(IntelWithDescriptors(probe, {os::CpuidRegisters{1, 0x88'000000, 0, 0}}), -1, -1,
               2048);
}

TEST(ProcessorCacheDescriptors, PassesFollowWhileTheCountIsAhead) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  const ProcessorInfo info =
      IntelWithDescriptors(probe, {Descriptors({0x41}, 3), Descriptors({0x43}, 3),
                                   Descriptors({0x23}, 3), Descriptors({0x05}, 3)});
  EXPECT_EQ(probe.descriptor_executions(), 3);
  EXPECT_SIZES(info, -1, 512, 1024);
}

TEST(ProcessorCacheDescriptors, CountOfZeroStillMakesOnePass) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  const ProcessorInfo info = IntelWithDescriptors(probe, {Descriptors({0x42}, 0)});
  EXPECT_EQ(probe.descriptor_executions(), 1);
  EXPECT_SIZES(info, -1, 256, -1);
}

TEST(ProcessorCacheSize, OtherSelectorsGiveMinusOne) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  const ProcessorInfo info = IntelWithDescriptors(probe, {Descriptors({0x0C, 0x43, 0x22})});
  EXPECT_EQ(info.GetCacheSize(kFeatureMtrr), -1);
  EXPECT_EQ(info.GetCacheSize(kFeatureLevel1Cache | kFeatureLevel2Cache), -1);
  EXPECT_EQ(info.GetCacheSize(0), -1);
}

}  // namespace
}  // namespace quendral::util
