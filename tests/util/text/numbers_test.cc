// Rounding and printing numbers and byte sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "util/text/text.h"

namespace quendral::util {
namespace {

TEST(RoundToDecimals, HalfGoesAwayFromZero) {
  EXPECT_FLOAT_EQ(RoundToDecimals(0.125F, 2), 0.13F);
  EXPECT_FLOAT_EQ(RoundToDecimals(-0.125F, 2), -0.13F);
  EXPECT_FLOAT_EQ(RoundToDecimals(2.5F, 0), 3.0F);
  EXPECT_FLOAT_EQ(RoundToDecimals(-2.5F, 0), -3.0F);
  EXPECT_FLOAT_EQ(RoundToDecimals(1234.0F, -2), 1200.0F);
  EXPECT_DOUBLE_EQ(RoundToDecimals(0.125, 2), 0.13);
  EXPECT_DOUBLE_EQ(RoundToDecimals(-2.5, 0), -3.0);
  EXPECT_DOUBLE_EQ(RoundToDecimals(1250.0, -2), 1300.0);
}

TEST(RoundToDecimals, LargeValuesDoNotOverflow) {
  EXPECT_DOUBLE_EQ(RoundToDecimals(1e300, 2), 1e300);
  EXPECT_DOUBLE_EQ(RoundToDecimals(-1e20, 0), -1e20);
}

TEST(RoundToSignificantDigits, KeepsTheLeadingDigits) {
  EXPECT_FLOAT_EQ(RoundToSignificantDigits(123456.0F, 2), 120000.0F);
  EXPECT_FLOAT_EQ(RoundToSignificantDigits(0.0012345F, 3), 0.00123F);
  EXPECT_FLOAT_EQ(RoundToSignificantDigits(-987.0F, 1), -1000.0F);
  EXPECT_FLOAT_EQ(RoundToSignificantDigits(3.14159F, 0), 3.14159F);
}

TEST(RoundToSignificantDigits, ZeroAndNonFiniteStayAsTheyAre) {
  EXPECT_EQ(RoundToSignificantDigits(0.0F, 3), 0.0F);
  EXPECT_EQ(RoundToSignificantDigits(std::numeric_limits<float>::infinity(), 3),
            std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(RoundToSignificantDigits(std::nanf(""), 3)));
}

TEST(FormatDecimal, DropsTrailingZerosAndPoint) {
  EXPECT_EQ(FormatDecimal(3.0F, 2), "3");
  EXPECT_EQ(FormatDecimal(2.5F, 2), "2.5");
  EXPECT_EQ(FormatDecimal(0.05F, 3), "0.05");
  EXPECT_EQ(FormatDecimal(-1.25F, 1), "-1.2");
  EXPECT_EQ(FormatDecimal(30.0F, 0), "30");
  EXPECT_EQ(FormatDecimal(100.0F, 2), "100");
}

TEST(FormatDecimal, NegativePlacesUseGeneralFormat) {
  EXPECT_EQ(FormatDecimal(2.5F, -1), "2.5");
  EXPECT_EQ(FormatDecimal(1e10F, -1), "1e+10");
}

TEST(GroupThousands, InsertsBetweenGroupsOfThree) {
  EXPECT_EQ(GroupThousands(",", 1234567), "1,234,567");
  EXPECT_EQ(GroupThousands(",", 123), "123");
  EXPECT_EQ(GroupThousands(",", 1000), "1,000");
  EXPECT_EQ(GroupThousands(".", 4294967295U), "4.294.967.295");
  EXPECT_EQ(GroupThousands("", 123456), "123456");
  EXPECT_EQ(GroupThousands(",", 0), "0");
}

TEST(FormatByteSize, PicksTheUnit) {
  EXPECT_EQ(FormatByteSize(512, ","), "512 B");
  EXPECT_EQ(FormatByteSize(1023, ","), "1,023 B");
  EXPECT_EQ(FormatByteSize(1024, ","), "1 kB");
  EXPECT_EQ(FormatByteSize(1536, ","), "1.50 kB");
  EXPECT_EQ(FormatByteSize(1572864, ","), "1.50 MB");
  EXPECT_EQ(FormatByteSize(1073741824, ","), "1 GB");
  EXPECT_EQ(FormatByteSize(4294967295U, ","), "3.99 GB");
  EXPECT_EQ(FormatByteSize(0, ","), "0 B");
}

TEST(FormatByteSize, DotSeparatorKeepsGroupedDigits) {
  EXPECT_EQ(FormatByteSize(1000, "."), "1.000 B");
  EXPECT_EQ(FormatByteSize(1000 * 1024, "."), "1.000 kB");
  EXPECT_EQ(FormatByteSize(1000 * 1024 + 512, "."), "1.000.50 kB");
}

TEST(FormatByteSize, HundredthsAreCutNotRounded) {
  EXPECT_EQ(FormatByteSize(1024 + 1023, ","), "1.99 kB");
  EXPECT_EQ(FormatByteSize(1024 + 10, ","), "1 kB");
}

}  // namespace
}  // namespace quendral::util
