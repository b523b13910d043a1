// Vendor, signature and feature flags of scripted processors.
#include <gtest/gtest.h>

#include <string>

#include "tests/util/processor/scripted_processor.h"
#include "util/processor/processor.h"

namespace quendral::util {
namespace {

struct VendorRow {
  const char* text;
  ProcessorVendor vendor;
  const char* manufacturer;
};

class ProcessorVendorTable : public testing::TestWithParam<VendorRow> {};

TEST_P(ProcessorVendorTable, VendorTextSelectsCodeAndManufacturer) {
  const ScriptedProcessor probe(GetParam().text, 6, 0);
  const ProcessorInfo info(probe);
  EXPECT_EQ(info.GetVendor(), GetParam().vendor);
  EXPECT_EQ(info.GetManufacturerName(), GetParam().manufacturer);
  EXPECT_EQ(info.GetVendorText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    AllRows, ProcessorVendorTable,
    testing::Values(
        VendorRow{"GenuineIntel", ProcessorVendor::Intel, "Intel Corporation"},
        VendorRow{"UMC UMC UMC ", ProcessorVendor::Umc, "United Microelectronics Corp."},
        VendorRow{"AuthenticAMD", ProcessorVendor::Amd, "Advanced Micro Devices"},
        VendorRow{"AMD ISBETTER", ProcessorVendor::Amd, "Advanced Micro Devices"},
        VendorRow{"CyrixInstead", ProcessorVendor::Cyrix, "Cyrix Corp., VIA Inc."},
        VendorRow{"NexGenDriven", ProcessorVendor::NexGen, "NexGen Inc., Advanced Micro Devices"},
        VendorRow{"CentaurHauls", ProcessorVendor::Centaur, "IDT\\Centaur, Via Inc."},
        VendorRow{"RiseRiseRise", ProcessorVendor::Rise, "Rise"},
        VendorRow{"GenuineTMx86", ProcessorVendor::Transmeta, "Transmeta"},
        VendorRow{"TransmetaCPU", ProcessorVendor::Transmeta, "Transmeta"},
        VendorRow{"Geode By NSC", ProcessorVendor::NationalSemiconductor, "National Semiconductor"},
        // One character off, the case of one letter, the trailing blank.
        VendorRow{"GenuineIntek", ProcessorVendor::Unknown, "Unknown Manufacturer"},
        VendorRow{"Authenticamd", ProcessorVendor::Unknown, "Unknown Manufacturer"},
        VendorRow{"UMC UMC UMC_", ProcessorVendor::Unknown, "Unknown Manufacturer"}));

TEST(ProcessorSignature, SplitsLeafOneIntoItsFields) {
  ScriptedProcessor probe("AuthenticAMD", 0, 0);
  probe.Leaf(1).eax = 0x0AB1'2F43;
  const ProcessorInfo info(probe);
  EXPECT_EQ(info.GetTypeText(), "2");
  EXPECT_EQ(info.GetFamilyText(), "15");
  EXPECT_EQ(info.GetModelText(), "4");
  EXPECT_EQ(info.GetSteppingText(), "3");
}

// A processor without the identification instruction keeps every initial
// value.
TEST(ProcessorWithoutCpuid, KeepsTheInitialValues) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.Leaf(1).edx = 0xFFFFFFFF;
  probe.FaultOnEveryLeaf();
  const ProcessorInfo info(probe);
  EXPECT_FALSE(info.IsCpuidSupported());
  EXPECT_EQ(info.GetManufacturerName(), "Unknown Manufacturer");
  EXPECT_EQ(info.GetVendorText(), "");
  EXPECT_EQ(info.GetProcessorName(), "");
  EXPECT_EQ(info.GetSerialNumberText(), "");
  EXPECT_EQ(info.GetFamilyText(), "0");
  EXPECT_EQ(info.GetSpeedMHz(), -1);
  EXPECT_EQ(info.GetCacheSize(kFeatureLevel1Cache), -1);
  EXPECT_EQ(info.GetCacheSize(kFeatureLevel2Cache), -1);
  EXPECT_EQ(info.GetCacheSize(kFeatureLevel3Cache), -1);
  EXPECT_FALSE(info.HasFeature(0xFFFFFFFF));
}

// The vendor text is stored before leaf 1 runs; a fault there leaves it.
TEST(ProcessorSignature, FaultInLeafOneKeepsTheVendorTextOnly) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.FaultOnLeaf(1);
  const ProcessorInfo info(probe);
  EXPECT_TRUE(info.IsCpuidSupported());
  EXPECT_EQ(info.GetVendorText(), "GenuineIntel");
  EXPECT_EQ(info.GetVendor(), ProcessorVendor::Unknown);
  EXPECT_EQ(info.GetFamilyText(), "0");
}

struct FeatureBit {
  int bit;
  std::uint32_t mask;
};

class ProcessorStandardFeatures : public testing::TestWithParam<FeatureBit> {};

TEST_P(ProcessorStandardFeatures, LeafOneBitSetsExactlyItsFeature) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.Leaf(1).edx = 1U << GetParam().bit;
  const ProcessorInfo info(probe);
  EXPECT_TRUE(info.HasFeature(GetParam().mask));
  EXPECT_FALSE(info.HasFeature(~GetParam().mask & 0x7FFFFF & ~kFeatureSseUsable &
                               ~(kFeatureLevel1Cache | kFeatureLevel2Cache | kFeatureLevel3Cache)));
}

INSTANTIATE_TEST_SUITE_P(LeafOneEdx, ProcessorStandardFeatures,
                         testing::Values(FeatureBit{23, kFeatureMmx}, FeatureBit{26, kFeatureSse2},
                                         FeatureBit{30, kFeatureIa64}, FeatureBit{9, kFeatureApic},
                                         FeatureBit{15, kFeatureCmov}, FeatureBit{12, kFeatureMtrr},
                                         FeatureBit{22, kFeatureAcpiThermalControl},
                                         FeatureBit{18, kFeatureSerialNumber},
                                         FeatureBit{29, kFeatureThermalMonitor}));

TEST(ProcessorSse, UsableWhenTheInstructionRuns) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.Leaf(1).edx = ScriptedProcessor::kSseBit;
  const ProcessorInfo info(probe);
  EXPECT_TRUE(info.HasFeature(kFeatureSse));
  EXPECT_TRUE(info.HasFeature(kFeatureSseUsable));
}

TEST(ProcessorSse, PresentButNotUsableWhenTheSystemHasNotEnabledIt) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.Leaf(1).edx = ScriptedProcessor::kSseBit;
  probe.FaultOnSse();
  const ProcessorInfo info(probe);
  EXPECT_TRUE(info.HasFeature(kFeatureSse));
  EXPECT_FALSE(info.HasFeature(kFeatureSseUsable));
}

TEST(ProcessorSse, NeverUsableWithoutTheFlag) {
  const ScriptedProcessor probe("GenuineIntel", 6, 8);
  EXPECT_FALSE(ProcessorInfo(probe).HasFeature(kFeatureSseUsable));
}

TEST(ProcessorHyperThreading, IntelReportsLogicalProcessorsAndApicId) {
  ScriptedProcessor probe("GenuineIntel", 15, 2);
  probe.Leaf(1).edx = (1U << 28) | (1U << 9);
  probe.Leaf(1).ebx = 0x07'02'0000;
  const ProcessorInfo info(probe);
  EXPECT_EQ(info.GetLogicalProcessorCount(), 2);
  EXPECT_EQ(info.GetApicId(), 7);
}

TEST(ProcessorHyperThreading, ApicIdNeedsTheApicFlag) {
  ScriptedProcessor probe("GenuineIntel", 15, 2);
  probe.Leaf(1).edx = 1U << 28;
  probe.Leaf(1).ebx = 0x07'02'0000;
  const ProcessorInfo info(probe);
  EXPECT_EQ(info.GetLogicalProcessorCount(), 2);
  EXPECT_EQ(info.GetApicId(), 0);
}

TEST(ProcessorHyperThreading, IntelWithoutItCountsOneProcessor) {
  ScriptedProcessor probe("GenuineIntel", 15, 2);
  probe.Leaf(1).ebx = 0x07'02'0000;
  EXPECT_EQ(ProcessorInfo(probe).GetLogicalProcessorCount(), 1);
}

TEST(ProcessorHyperThreading, OtherVendorsAreNotAsked) {
  ScriptedProcessor probe("AuthenticAMD", 6, 8);
  probe.Leaf(1).edx = (1U << 28) | (1U << 9);
  probe.Leaf(1).ebx = 0x07'02'0000;
  const ProcessorInfo info(probe);
  EXPECT_EQ(info.GetLogicalProcessorCount(), 0);
  EXPECT_EQ(info.GetApicId(), 0);
}

TEST(ProcessorExtendedFeatures, AmdReadsLeaf80000001) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000001).edx = (1U << 31) | (1U << 30) | (1U << 22) | (1U << 19);
  const ProcessorInfo info(probe);
  EXPECT_TRUE(info.HasFeature(kFeature3DNow));
  EXPECT_TRUE(info.HasFeature(kFeature3DNowExtensions));
  EXPECT_TRUE(info.HasFeature(kFeatureAmdMmxExtensions));
  EXPECT_TRUE(info.HasFeature(kFeatureExtendedMmx));
  EXPECT_TRUE(info.HasFeature(kFeatureMultiprocessorCapable));
}

TEST(ProcessorExtendedFeatures, CyrixExtendedMmxIsBit24) {
  ScriptedProcessor probe("CyrixInstead", 6, 5);
  probe.Leaf(0x80000001).edx = 1U << 22;
  const ProcessorInfo amd_bit(probe);
  EXPECT_TRUE(amd_bit.HasFeature(kFeatureAmdMmxExtensions));
  EXPECT_FALSE(amd_bit.HasFeature(kFeatureExtendedMmx));
  probe.Leaf(0x80000001).edx = 1U << 24;
  EXPECT_TRUE(ProcessorInfo(probe).HasFeature(kFeatureExtendedMmx));
}

TEST(ProcessorExtendedFeatures, OtherVendorsKeepExtendedMmxFalse) {
  ScriptedProcessor probe("RiseRiseRise", 5, 0);
  probe.Leaf(0x80000001).edx = (1U << 22) | (1U << 24) | (1U << 31);
  const ProcessorInfo info(probe);
  EXPECT_TRUE(info.HasFeature(kFeature3DNow));
  EXPECT_FALSE(info.HasFeature(kFeatureExtendedMmx));
}

TEST(ProcessorExtendedFeatures, NeverReadForIntel) {
  ScriptedProcessor probe("GenuineIntel", 15, 2);
  probe.Leaf(0x80000001).edx = 0xFFFFFFFF;
  EXPECT_FALSE(ProcessorInfo(probe).HasFeature(kFeature3DNow | kFeatureMultiprocessorCapable));
}

TEST(ProcessorPowerManagement, ReadsLeaf80000007WhenAvailable) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000000).eax = 0x80000007;
  probe.Leaf(0x80000007).edx = 0x5;
  const ProcessorInfo info(probe);
  EXPECT_TRUE(info.HasFeature(kFeatureTemperatureSensor));
  EXPECT_FALSE(info.HasFeature(kFeatureFrequencyIdControl));
  EXPECT_TRUE(info.HasFeature(kFeatureVoltageIdControl));
}

TEST(ProcessorPowerManagement, FalseWhenTheLeafIsPastTheHighest) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000000).eax = 0x80000006;
  probe.Leaf(0x80000007).edx = 0x7;
  EXPECT_FALSE(ProcessorInfo(probe).HasFeature(
      kFeatureTemperatureSensor | kFeatureFrequencyIdControl | kFeatureVoltageIdControl));
}

TEST(ProcessorFeatureMask, IsAnOrOverTheSelectedFeatures) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(0x80000001).edx = 1U << 31;
  const ProcessorInfo info(probe);
  EXPECT_FALSE(info.HasFeature(kFeatureMmx));
  EXPECT_TRUE(info.HasFeature(0x11));
  EXPECT_FALSE(info.HasFeature(0x100));
}

TEST(ProcessorFeatureMask, BitsPastTheTableSelectNothing) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(1).edx = 0xFFFFFFFF;
  probe.Leaf(0x80000001).edx = 0xFFFFFFFF;
  const ProcessorInfo info(probe);
  EXPECT_TRUE(info.HasFeature(0x7FFFFF));
  EXPECT_FALSE(info.HasFeature(0xFF800000 | 0x100));
}

TEST(ProcessorSerialNumber, SixGroupsMostSignificantByteFirst) {
  ScriptedProcessor probe("GenuineIntel", 6, 7);
  probe.Leaf(1).edx = ScriptedProcessor::kSerialNumberBit;
  probe.Leaf(3) = os::CpuidRegisters{0, 0x0123'4567, 0x89AB'CDEF, 0x0000'0A0B};
  EXPECT_EQ(ProcessorInfo(probe).GetSerialNumberText(), "0123-4567-89ab-cdef-0000-0a0b");
}

TEST(ProcessorSerialNumber, EmptyWithoutTheFlag) {
  ScriptedProcessor probe("GenuineIntel", 6, 7);
  probe.Leaf(3) = os::CpuidRegisters{0, 0x0123'4567, 0x89AB'CDEF, 0x0000'0A0B};
  EXPECT_EQ(ProcessorInfo(probe).GetSerialNumberText(), "");
}

}  // namespace
}  // namespace quendral::util
