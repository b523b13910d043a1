// Processor names: brand strings, and the names decoded from the signature.
#include <gtest/gtest.h>

#include <string>

#include "tests/util/processor/scripted_processor.h"
#include "util/processor/processor.h"

namespace quendral::util {
namespace {

struct NameRow {
  const char* vendor;
  std::uint32_t family;
  std::uint32_t model;
  std::uint32_t extended_family;
  const char* name;
};

void PrintTo(const NameRow& row, std::ostream* out) {
  *out << row.vendor << " family " << row.family << " model " << row.model << " extended "
       << row.extended_family;
}

class ProcessorModelNames : public testing::TestWithParam<NameRow> {};

// Scripted processors have no brand-string leaves, so the name comes from
// the table.
TEST_P(ProcessorModelNames, NameOfTheSignature) {
  const NameRow& row = GetParam();
  ScriptedProcessor probe(row.vendor, row.family, row.model);
  probe.SetSignature(row.family, row.model, row.extended_family);
  const ProcessorInfo info(probe);
  EXPECT_EQ(info.GetProcessorName(), row.name);
  EXPECT_EQ(info.GetVendorText(), row.vendor);
}

NameRow Row(const char* vendor, std::uint32_t family, std::uint32_t model, const char* name) {
  return NameRow{vendor, family, model, 0, name};
}

constexpr char kIntel[] = "GenuineIntel";
constexpr char kAmd[] = "AuthenticAMD";
constexpr char kCyrix[] = "CyrixInstead";
constexpr char kCentaur[] = "CentaurHauls";

INSTANTIATE_TEST_SUITE_P(
    Intel, ProcessorModelNames,
    testing::Values(
        Row(kIntel, 3, 5, "Newer i80386 family"), Row(kIntel, 4, 0, "i80486DX-25/33"),
        Row(kIntel, 4, 1, "i80486DX-50"), Row(kIntel, 4, 2, "i80486SX"),
        Row(kIntel, 4, 3, "i80486DX2"), Row(kIntel, 4, 4, "i80486SL"),
        Row(kIntel, 4, 5, "i80486SX2"), Row(kIntel, 4, 7, "i80486DX2 WriteBack"),
        Row(kIntel, 4, 8, "i80486DX4"), Row(kIntel, 4, 9, "i80486DX4 WriteBack"),
        Row(kIntel, 4, 6, "Unknown 80486 family"), Row(kIntel, 5, 0, "P5 A-Step"),
        Row(kIntel, 5, 1, "P5"), Row(kIntel, 5, 2, "P54C"), Row(kIntel, 5, 3, "P24T OverDrive"),
        Row(kIntel, 5, 4, "P55C"), Row(kIntel, 5, 7, "P54C"), Row(kIntel, 5, 8, "P55C (0.25\xB5m)"),
        Row(kIntel, 5, 5, "Unknown Pentium\xAE family"), Row(kIntel, 6, 0, "P6 A-Step"),
        Row(kIntel, 6, 1, "P6"), Row(kIntel, 6, 3, "Pentium\xAE II (0.28 \xB5m)"),
        Row(kIntel, 6, 5, "Pentium\xAE II (0.25 \xB5m)"),
        Row(kIntel, 6, 6, "Pentium\xAE II With On-Die L2 Cache"),
        Row(kIntel, 6, 7, "Pentium\xAE III (0.25 \xB5m)"),
        Row(kIntel, 6, 8, "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache "),
        Row(kIntel, 6, 10, "Pentium\xAE III (0.18 \xB5m) With 1 Or 2 MB On-Die L2 Cache "),
        Row(kIntel, 6, 11, "Pentium\xAE III (0.13 \xB5m) With 256 Or 512 KB On-Die L2 Cache "),
        Row(kIntel, 6, 15, "Unknown P6 family"), Row(kIntel, 7, 0, "Intel Merced (IA-64)"),
        Row(kIntel, 15, 0, "Pentium\xAE IV (0.18 \xB5m)"),
        Row(kIntel, 15, 1, "Pentium\xAE IV (0.18 \xB5m)"),
        Row(kIntel, 15, 2, "Pentium\xAE IV (0.13 \xB5m)"),
        Row(kIntel, 15, 3, "Unknown Pentium 4 family"),
        NameRow{kIntel, 15, 0, 1, "Intel McKinley (IA-64)"},
        // No text for later extended families: the name stays empty.
        NameRow{kIntel, 15, 0, 2, ""}, Row(kIntel, 0, 0, "Unknown Intel family"),
        Row(kIntel, 2, 0, "Unknown Intel family"), Row(kIntel, 8, 0, "Unknown Intel family"),
        Row(kIntel, 14, 0, "Unknown Intel family")));

INSTANTIATE_TEST_SUITE_P(
    Amd, ProcessorModelNames,
    testing::Values(
        Row(kAmd, 4, 3, "80486DX2"), Row(kAmd, 4, 7, "80486DX2 WriteBack"),
        Row(kAmd, 4, 8, "80486DX4"), Row(kAmd, 4, 9, "80486DX4 WriteBack"),
        Row(kAmd, 4, 14, "5x86"), Row(kAmd, 4, 15, "5x86WB"),
        Row(kAmd, 4, 0, "Unknown 80486 family"), Row(kAmd, 5, 0, "SSA5 (PR75, PR90, PR100)"),
        Row(kAmd, 5, 1, "5k86 (PR120, PR133)"), Row(kAmd, 5, 2, "5k86 (PR166)"),
        Row(kAmd, 5, 3, "5k86 (PR200)"), Row(kAmd, 5, 6, "K6 (0.30 \xB5m)"),
        Row(kAmd, 5, 7, "K6 (0.25 \xB5m)"), Row(kAmd, 5, 8, "K6-2"), Row(kAmd, 5, 9, "K6-III"),
        Row(kAmd, 5, 13, "K6-2+ or K6-III+ (0.18 \xB5m)"), Row(kAmd, 5, 4, "Unknown 80586 family"),
        Row(kAmd, 6, 1, "Athlon\x99 (0.25 \xB5m)"), Row(kAmd, 6, 2, "Athlon\x99 (0.18 \xB5m)"),
        Row(kAmd, 6, 3, "Duron\x99 (SF core)"), Row(kAmd, 6, 4, "Athlon\x99 (Thunderbird core)"),
        Row(kAmd, 6, 6, "Athlon\x99 (Palomino core)"), Row(kAmd, 6, 7, "Duron\x99 (Morgan core)"),
        Row(kAmd, 6, 8, "Athlon\x99 XP (Thoroughbred core)"), Row(kAmd, 6, 5, "Unknown K7 family"),
        Row(kAmd, 15, 0, "Unknown AMD family"), Row("AMD ISBETTER", 5, 8, "K6-2")));

INSTANTIATE_TEST_SUITE_P(
    Cyrix, ProcessorModelNames,
    testing::Values(Row(kCyrix, 4, 4, "MediaGX GX, GXm"), Row(kCyrix, 4, 9, "5x86"),
                    Row(kCyrix, 4, 0, "Unknown Cx5x86 family"), Row(kCyrix, 5, 2, "Cx6x86"),
                    Row(kCyrix, 5, 4, "MediaGX GXm"), Row(kCyrix, 5, 0, "Unknown Cx6x86 family"),
                    Row(kCyrix, 6, 0, "6x86MX"), Row(kCyrix, 6, 5, "Cyrix M2 Core"),
                    Row(kCyrix, 6, 6, "WinChip C5A Core"),
                    Row(kCyrix, 6, 7, "WinChip C5B\\C5C Core"),
                    Row(kCyrix, 6, 8, "WinChip C5C-T Core"),
                    Row(kCyrix, 6, 1, "Unknown 6x86MX\\Cyrix III family"),
                    Row(kCyrix, 3, 0, "Unknown Cyrix family")));

INSTANTIATE_TEST_SUITE_P(
    OtherVendors, ProcessorModelNames,
    testing::Values(Row(kCentaur, 5, 4, "C6"), Row(kCentaur, 5, 8, "C2"), Row(kCentaur, 5, 9, "C3"),
                    Row(kCentaur, 6, 6, "VIA Cyrix III - Samuel"),
                    Row(kCentaur, 5, 5, "Unknown IDT\\Centaur family"),
                    Row(kCentaur, 6, 7, "Unknown IDT\\Centaur family"),
                    Row(kCentaur, 4, 6, "Unknown IDT\\Centaur family"),
                    Row("UMC UMC UMC ", 4, 1, "U5D"), Row("UMC UMC UMC ", 4, 2, "U5S"),
                    Row("UMC UMC UMC ", 4, 3, "Unknown UMC family"),
                    Row("UMC UMC UMC ", 5, 1, "Unknown UMC family"),
                    Row("NexGenDriven", 5, 0, "Nx586 or Nx586FPU"),
                    Row("NexGenDriven", 5, 1, "Unknown NexGen family"),
                    Row("NexGenDriven", 6, 0, "Unknown NexGen family"),
                    Row("RiseRiseRise", 5, 0, "mP6 (0.25 \xB5m)"),
                    Row("RiseRiseRise", 5, 2, "mP6 (0.18 \xB5m)"),
                    Row("RiseRiseRise", 5, 1, "Unknown Rise family"),
                    Row("RiseRiseRise", 6, 0, "Unknown Rise family"),
                    Row("GenuineTMx86", 5, 4, "Crusoe TM3x00 and TM5x00"),
                    Row("TransmetaCPU", 5, 4, "Crusoe TM3x00 and TM5x00"),
                    Row("GenuineTMx86", 5, 3, "Unknown Crusoe family"),
                    Row("GenuineTMx86", 6, 4, "Unknown Transmeta family"),
                    Row("Geode By NSC", 4, 9, "Cx486SLC \\ DLC \\ Cx486S A-Step"),
                    Row("Geode By NSC", 11, 0, "Cx486SLC \\ DLC \\ Cx486S A-Step"),
                    Row("SomeoneElse!", 6, 0, "Unknown family")));

TEST(ProcessorModelName, AthlonThoroughbredIsMpExactlyWhenMultiprocessorCapable) {
  ScriptedProcessor probe(kAmd, 6, 8);
  probe.Leaf(0x80000001).edx = 1U << 19;
  EXPECT_EQ(ProcessorInfo(probe).GetProcessorName(), "Athlon\x99 MP (Thoroughbred core)");
  probe.Leaf(0x80000001).edx = ~(1U << 19);
  EXPECT_EQ(ProcessorInfo(probe).GetProcessorName(), "Athlon\x99 XP (Thoroughbred core)");
}

// The longest name is longer than a brand string; it must not spill into
// the vendor text.
TEST(ProcessorModelName, LongestNameLeavesTheVendorText) {
  const ScriptedProcessor probe(kIntel, 6, 11);
  const ProcessorInfo info(probe);
  EXPECT_EQ(info.GetProcessorName().size(), 58U);
  EXPECT_EQ(info.GetVendorText(), kIntel);
}

// For Intel below family 15 the brand-string leaves are never used.
TEST(ProcessorBrandString, IntelBeforeFamily15UsesTheTable) {
  ScriptedProcessor probe(kIntel, 6, 8);
  probe.SetBrandString("Some Brand");
  EXPECT_EQ(ProcessorInfo(probe).GetProcessorName(),
            "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache ");
}

TEST(ProcessorBrandString, IntelLeadingBlanksAreRemoved) {
  ScriptedProcessor probe(kIntel, 15, 2);
  probe.SetBrandString("          Intel(R) Pentium(R) 4 CPU 2.40GHz");
  EXPECT_EQ(ProcessorInfo(probe).GetProcessorName(), "Intel(R) Pentium(R) 4 CPU 2.40GHz");
}

TEST(ProcessorBrandString, OtherVendorsKeepLeadingBlanks) {
  ScriptedProcessor probe(kAmd, 6, 8);
  probe.SetBrandString("   AMD Athlon(tm) XP 2200+");
  EXPECT_EQ(ProcessorInfo(probe).GetProcessorName(), "   AMD Athlon(tm) XP 2200+");
}

TEST(ProcessorBrandString, AllFortyEightCharactersAreKept) {
  const std::string brand(48, 'x');
  ScriptedProcessor probe(kAmd, 6, 8);
  probe.SetBrandString(brand);
  EXPECT_EQ(ProcessorInfo(probe).GetProcessorName(), brand);
}

TEST(ProcessorBrandString, OnlyBlanksStayAsTheyAre) {
  ScriptedProcessor probe(kIntel, 15, 2);
  probe.SetBrandString("   ");
  EXPECT_EQ(ProcessorInfo(probe).GetProcessorName(), "   ");
}

TEST(ProcessorBrandString, FaultFallsBackToTheTable) {
  ScriptedProcessor probe(kAmd, 5, 8);
  probe.SetBrandString("AMD-K6(tm) 3D processor");
  probe.FaultOnLeaf(0x80000003);
  EXPECT_EQ(ProcessorInfo(probe).GetProcessorName(), "K6-2");
}

}  // namespace
}  // namespace quendral::util
