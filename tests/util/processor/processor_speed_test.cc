// Clock speed: the time-stamp counter over the busy wait, the timing-loop
// estimate without a counter, and the machine's own processor.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/util/processor/scripted_processor.h"
#include "util/processor/processor.h"

namespace quendral::util {
namespace {

// Counter readings around the 50 ms wait, then around its set-up alone.
TEST(ProcessorSpeedMeasurement, WaitCyclesLessSetUpCyclesPerMicrosecond) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.Leaf(1).edx = ScriptedProcessor::kTimeStampCounterBit;
  probe.SetCounterReadings({1000, 1000 + 130'000'000, 500'000'000, 505'000'000});
  EXPECT_EQ(ProcessorInfo(probe).GetSpeedMHz(), 2500);
}

TEST(ProcessorSpeedMeasurement, DivisionsTruncate) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(1).edx = ScriptedProcessor::kTimeStampCounterBit;
  probe.SetCounterReadings({0, 99'999, 0, 49'999});
  EXPECT_EQ(ProcessorInfo(probe).GetSpeedMHz(), 1);
}

TEST(ProcessorSpeedMeasurement, NoCounterNoEstimateGivesMinusOne) {
  const ScriptedProcessor probe("GenuineIntel", 6, 8);
  EXPECT_EQ(ProcessorInfo(probe).GetSpeedMHz(), -1);
}

// A counter that faults tells nothing; it is not taken as a speed of 0.
TEST(ProcessorSpeedMeasurement, FaultingCounterGivesNoMeasurement) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.Leaf(1).edx = ScriptedProcessor::kTimeStampCounterBit;
  probe.FaultOnTimeStampCounter();
  probe.SetTimingLoopSeconds(1.0);
  EXPECT_EQ(ProcessorInfo(probe).GetSpeedMHz(), -1);
}

struct EstimateRow {
  std::uint32_t family;
  double seconds;
  std::int32_t mhz;
};

class ProcessorSpeedEstimate : public testing::TestWithParam<EstimateRow> {};

TEST_P(ProcessorSpeedEstimate, TimingLoopStandsInWithoutACounter) {
  ScriptedProcessor probe("GenuineIntel", GetParam().family, 0);
  probe.SetTimingLoopSeconds(GetParam().seconds);
  EXPECT_EQ(ProcessorInfo(probe).GetSpeedMHz(), GetParam().mhz);
}

INSTANTIATE_TEST_SUITE_P(Families, ProcessorSpeedEstimate,
                         testing::Values(EstimateRow{3, 1.0, 1096},  // 1,150,000,000 / 1,048,576
                                         EstimateRow{4, 2.0, 224},   // 470,000,000 / 2 / 1,048,576
                                         EstimateRow{5, 0.5, 820},  // 430,000,000 / 0.5 / 1,048,576
                                         EstimateRow{6, 1.0, -1},   // no constant for the family
                                         EstimateRow{5, 0.0, -1},   // a loop too short to time
                                         EstimateRow{5, 1e-9, -1}));  // an estimate past 32 bits

TEST(ProcessorSpeedEstimate, FaultingLoopGivesMinusOne) {
  const ScriptedProcessor probe("GenuineIntel", 5, 2);  // the loop's time is unset: it faults
  EXPECT_EQ(ProcessorInfo(probe).GetSpeedMHz(), -1);
}

// The counter, when there is one, wins over the loop.
TEST(ProcessorSpeedEstimate, NotUsedWithACounter) {
  ScriptedProcessor probe("GenuineIntel", 5, 2);
  probe.Leaf(1).edx = ScriptedProcessor::kTimeStampCounterBit;
  probe.SetCounterReadings({0, 10'000'000, 0, 0});
  probe.SetTimingLoopSeconds(0.5);
  EXPECT_EQ(ProcessorInfo(probe).GetSpeedMHz(), 200);
}

#if defined(__i386__) || defined(__x86_64__)

// What the system says of the first processor: the value of `key` in
// /proc/cpuinfo, empty when there is no such file.
std::string CpuinfoValue(const std::string& key) {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.compare(0, key.size(), key) == 0) {
      const auto colon = line.find(':');
      return colon == std::string::npos ? "" : line.substr(colon + 2);
    }
  }
  return "";
}

TEST(ProcessorOfThisMachine, IsIdentified) {
  const ProcessorInfo info;
  ASSERT_TRUE(info.IsCpuidSupported());
  EXPECT_EQ(info.GetVendorText().size(), 12U);
  EXPECT_NE(info.GetManufacturerName(), "");
  EXPECT_TRUE(info.HasFeature(kFeatureMmx | kFeatureSse));
  EXPECT_GT(info.GetSpeedMHz(), 0);
  const std::string vendor = CpuinfoValue("vendor_id");
  if (!vendor.empty()) {
    EXPECT_EQ(info.GetVendorText(), vendor);
  }
}

#endif

}  // namespace
}  // namespace quendral::util
