#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "platform/os/code_page.h"
#include "platform/os/local_time.h"
#include "util/markup/markup.h"

namespace quendral::util {
namespace {

os::Variant Int32(std::int32_t number) {
  os::Variant value = os::MakeVariant(os::kVariantInt32);
  value.lVal = number;
  return value;
}

TEST(DescribeVariant, NumbersByTheirFormats) {
  EXPECT_EQ(DescribeVariant(Int32(7)), "7");
  EXPECT_EQ(DescribeVariant(Int32(-2147483647 - 1)), "-2147483648");
  os::Variant small = os::MakeVariant(os::kVariantInt16);
  small.iVal = -12;
  EXPECT_EQ(DescribeVariant(small), "-12");
  os::Variant single = os::MakeVariant(os::kVariantFloat);
  single.fltVal = 1.5F;
  EXPECT_EQ(DescribeVariant(single), "1.500000e+00");
  os::Variant twice = os::MakeVariant(os::kVariantDouble);
  twice.dblVal = -0.03125;
  EXPECT_EQ(DescribeVariant(twice), "-3.125000e-02");
  os::Variant byte = os::MakeVariant(os::kVariantUnsignedByte);
  byte.bVal = 0xAB;
  EXPECT_EQ(DescribeVariant(byte), "0xAB");
  byte.bVal = 7;
  EXPECT_EQ(DescribeVariant(byte), "0x07");
}

TEST(DescribeVariant, EmptyAndNullAreNull) {
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantEmpty)), "NULL");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantNull)), "NULL");
}

TEST(DescribeVariant, BooleanIsTrueForAnyNonZero) {
  os::Variant flag = os::MakeVariant(os::kVariantBool);
  flag.boolVal = -1;
  EXPECT_EQ(DescribeVariant(flag), "TRUE");
  flag.boolVal = 1;
  EXPECT_EQ(DescribeVariant(flag), "TRUE");
  flag.boolVal = 0;
  EXPECT_EQ(DescribeVariant(flag), "FALSE");
}

TEST(DescribeVariant, StringInTheProcessCharacterSet) {
  os::VariantWideChar text[] = {'N', 'o', 't', 'e', 's', 0};
  os::Variant value = os::MakeVariant(os::kVariantString);
  value.bstrVal = text;
  EXPECT_EQ(DescribeVariant(value), "Notes");
  value.bstrVal = nullptr;
  EXPECT_EQ(DescribeVariant(value), "");
}

TEST(DescribeVariant, StringInWindows1252) {
  if (os::SystemTextCodePage() != 1252) {
    GTEST_SKIP() << "the system's code page is another";
  }
  os::VariantWideChar text[] = {0x00AE, 0x2122, 0x00B5, 0x00C4, 0x20AC, 0};
  os::Variant value = os::MakeVariant(os::kVariantString);
  value.bstrVal = text;
  EXPECT_EQ(DescribeVariant(value), "\xAE\x99\xB5\xC4\x80");
}

TEST(DescribeVariant, CurrencyWithoutTrailingZeros) {
  os::Variant money = os::MakeVariant(os::kVariantCurrency);
  money.cyVal.int64 = 123450;
  EXPECT_EQ(DescribeVariant(money), "12.345");
  money.cyVal.int64 = -50000;
  EXPECT_EQ(DescribeVariant(money), "-5");
  money.cyVal.int64 = 1;
  EXPECT_EQ(DescribeVariant(money), "0.0001");
}

TEST(DescribeVariant, DateAsMonthDayYear) {
  os::Variant date = os::MakeVariant(os::kVariantDate);
  date.date = 45658.75;  // 1 January 2025, 18:00
  EXPECT_EQ(DescribeVariant(date), "01 01 25");
  date.date = 0.0;
  EXPECT_EQ(DescribeVariant(date), "12 30 99");
  date.date = -1.25;  // the day before the epoch, at 06:00
  EXPECT_EQ(DescribeVariant(date), "12 29 99");
  date.date = 45658.999999999;  // rounds to the next midnight
  EXPECT_EQ(DescribeVariant(date), "01 02 25");
  date.date = 1e9;
  EXPECT_EQ(DescribeVariant(date), "");
}

TEST(DescribeVariant, ArrayAndReferenceGiveTheElementTypeName) {
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantArrayBit | os::kVariantInt32)),
            "Array of VT_I4");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantByReferenceBit | os::kVariantString)),
            "Pointer to VT_BSTR");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantArrayBit | os::kVariantByReferenceBit |
                                            os::kVariantDate)),
            "Array of Pointer to VT_DATE");
  // A boolean array is an array first.
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantArrayBit | os::kVariantBool)),
            "Array of VT_BOOL");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantArrayBit | 14)), "Array of ");
}

TEST(DescribeVariant, OtherTypesByNameOrNothing) {
  EXPECT_EQ(DescribeVariant(os::MakeVariant(9)), "VT_DISPATCH");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(31)), "VT_LPWSTR");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(72)), "VT_CLSID");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(14)), "");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(40)), "");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(73)), "");
  // The vector bit is never cleared, so nothing is known of such a code.
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantVectorBit | os::kVariantInt32)), "");
  EXPECT_EQ(DescribeVariant(os::MakeVariant(os::kVariantArrayBit | os::kVariantVectorBit | 3)),
            "Array of ");
}

TEST(FormatLocalTimestamp, DigitsOfTheLocalTimeSeparatedByDots) {
  // Read the clock on both sides so that a second ticking over in between
  // does not fail the test.
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::tm before{};
    ASSERT_TRUE(os::LocalTimeFields(std::time(nullptr), &before));
    const std::string stamp = FormatLocalTimestamp();
    std::tm after{};
    ASSERT_TRUE(os::LocalTimeFields(std::time(nullptr), &after));
    ASSERT_EQ(stamp.size(), 19U) << stamp;
    char expected[32];
    std::strftime(expected, sizeof expected, "%Y-%m-%dT%H.%M.%S", &after);
    if (before.tm_sec == after.tm_sec) {
      EXPECT_EQ(stamp, expected);
      return;
    }
  }
  FAIL() << "the clock kept moving";
}

}  // namespace
}  // namespace quendral::util
