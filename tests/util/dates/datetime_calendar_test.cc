// Day numbers, validity and the reading of date text.
#include <gtest/gtest.h>

#include "util/dates/datetime.h"

namespace quendral::util {
namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int MonthLength(int month, int year) {
  static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kLengths[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
}

// Walks the calendar day by day with AddDays and checks, for every date, that
// the fields derived from the day number and the day number derived from the
// fields agree with the calendar and with each other.
TEST(DateTimeDayNumber, ConversionsAgreeOnEveryDayFromMarchOfYearZero) {
  const int first = DateTimeValue(0, kMonthDayYear).SerialFromDate(3, 1, 0);
  DateTimeValue value(first, kMonthDayYear);
  int expected_serial = first;
  for (int year = 0; year <= 9999; ++year) {
    for (int month = year == 0 ? 3 : 1; month <= 12; ++month) {
      for (int day = 1; day <= MonthLength(month, year); ++day) {
        if (value.GetYear() != year || value.GetMonth() != month || value.GetDay() != day ||
            value.GetSerial() != expected_serial ||
            value.SerialFromDate(month, day, year) != expected_serial) {
          FAIL() << "disagreement at " << year << "-" << month << "-" << day << ": day number "
                 << expected_serial << " gives " << value.GetYear() << "-" << value.GetMonth()
                 << "-" << value.GetDay();
        }
        value.AddDays(1);
        ++expected_serial;
      }
    }
  }
}

TEST(DateTimeDayNumber, KnownAnchors) {
  const DateTimeValue millennium(2451545, kMonthDayYear);
  EXPECT_EQ(millennium.GetYear(), 2000);
  EXPECT_EQ(millennium.GetMonth(), 1);
  EXPECT_EQ(millennium.GetDay(), 1);
  EXPECT_EQ(millennium.DayOfWeek(), 6);
  EXPECT_EQ(DateTimeValue("2/25/2009", kMonthDayYear).DayOfWeek(), 3);
  EXPECT_EQ(DateTimeValue("3/1/2009", kMonthDayYear).DayOfWeek(), 0);
}

TEST(DateTimeDayNumber, LastRepresentableYear) {
  const DateTimeValue last("12/31/5874897", kMonthDayYear);
  ASSERT_EQ(last.IsValid(), 1);
  EXPECT_EQ(last.GetSerial(), 2147483493);
  const DateTimeValue back(last.GetSerial(), kMonthDayYear);
  EXPECT_EQ(back.GetYear(), DateTimeValue::kMaxYear);
  EXPECT_EQ(back.GetMonth(), 12);
  EXPECT_EQ(back.GetDay(), 31);
  EXPECT_EQ(DateTimeValue("1/1/5874898", kMonthDayYear).IsValid(), 0);
}

TEST(DateTimeDayNumber, ExtremeDayNumbersGiveInvalidDates) {
  for (const int serial : {-2147483647 - 1, -1, 0, 1, 1721059, 2147483494, 2147483647}) {
    const DateTimeValue value(serial, kMonthDayYear);
    EXPECT_EQ(value.IsValid(), 0) << serial;
    EXPECT_EQ(value.GetSerial(), 0) << serial;
  }
}

TEST(DateTimeValidity, LeapDays) {
  EXPECT_EQ(DateTimeValue("2/29/2000", kMonthDayYear).IsValid(), 1);
  EXPECT_EQ(DateTimeValue("2/29/2008", kMonthDayYear).IsValid(), 1);
  EXPECT_EQ(DateTimeValue("2/29/1900", kMonthDayYear).IsValid(), 0);
  EXPECT_EQ(DateTimeValue("2/29/2009", kMonthDayYear).IsValid(), 0);
}

TEST(DateTimeValidity, FieldsOutOfRange) {
  for (const char* text :
       {"0/10/2009", "13/10/2009", "10/0/2009", "10/32/2009", "4/31/2009", "12", ""}) {
    const DateTimeValue value(text, kMonthDayYear);
    EXPECT_EQ(value.IsValid(), 0) << text;
    EXPECT_EQ(value.GetMonth(), 0) << text;
    EXPECT_EQ(value.GetDay(), 0) << text;
    EXPECT_EQ(value.GetYear(), 0) << text;
    EXPECT_EQ(value.GetSerial(), 0) << text;
    EXPECT_EQ(value.DayOfWeek(), 0) << text;
  }
}

TEST(DateTimeValidity, GetDateLeavesOutputsOfInvalidDateAlone) {
  int month = -7;
  int day = -7;
  int year = -7;
  DateTimeValue("2/30/2009", kMonthDayYear).GetDate(month, day, year);
  EXPECT_EQ(month, -7);
  EXPECT_EQ(day, -7);
  EXPECT_EQ(year, -7);
  DateTimeValue("2/28/2009", kMonthDayYear).GetDate(month, day, year);
  EXPECT_EQ(month, 2);
  EXPECT_EQ(day, 28);
  EXPECT_EQ(year, 2009);
}

struct ParseCase {
  const char* text;
  int format_code;
  int year;
  int month;
  int day;
};

class DateTimeParsing : public testing::TestWithParam<ParseCase> {};

TEST_P(DateTimeParsing, ReadsFieldsInTheOrderOfTheFormatCode) {
  const ParseCase& c = GetParam();
  const DateTimeValue value(c.text, c.format_code);
  ASSERT_EQ(value.IsValid(), 1) << c.text;
  EXPECT_EQ(value.GetYear(), c.year) << c.text;
  EXPECT_EQ(value.GetMonth(), c.month) << c.text;
  EXPECT_EQ(value.GetDay(), c.day) << c.text;
  EXPECT_EQ(value.GetSerial(), value.SerialFromDate(c.month, c.day, c.year)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, DateTimeParsing,
                         testing::Values(ParseCase{"2/25/2009", kMonthDayYear, 2009, 2, 25},
                                         ParseCase{"02/25/09", kMonthDayShortYear, 1909, 2, 25},
                                         ParseCase{"25/02/2009", kDayMonthYear, 2009, 2, 25},
                                         ParseCase{"25.2.99", kDayMonthShortYear, 1999, 2, 25},
                                         ParseCase{"2009/02/25", kYearMonthDay, 2009, 2, 25},
                                         ParseCase{"99-2-25", kShortYearMonthDay, 1999, 2, 25},
                                         // A missing year part reads as 0 and so as 1900.
                                         ParseCase{"12/25", kMonthDayYear, 1900, 12, 25},
                                         ParseCase{"1-2-09", kMonthDayYear, 1909, 1, 2},
                                         ParseCase{"1.2.09", kMonthDayYear, 1909, 1, 2},
                                         ParseCase{"1/2-2009", kMonthDayYear, 2009, 1, 2},
                                         ParseCase{"09/1/2", kYearMonthDay, 1909, 1, 2},
                                         ParseCase{"2009/1/2", kYearMonthDay, 2009, 1, 2},
                                         // Years from 100 up are taken as they are.
                                         ParseCase{"1/2/100", kMonthDayYear, 100, 1, 2},
                                         // Leading blanks and trailing junk around the digits.
                                         ParseCase{" 3/ 4/2009x", kMonthDayYear, 2009, 3, 4},
                                         ParseCase{"3/4/2009/17", kMonthDayYear, 2009, 3, 4}));

TEST(DateTimeParsingFailures, UnknownFormatCodeGivesAnInvalidDate) {
  for (const int code : {-1, 6, 100}) {
    EXPECT_EQ(DateTimeValue("2/25/2009", code).IsValid(), 0) << code;
  }
}

TEST(DateTimeParsingFailures, MinusIsASeparatorNotASign) {
  EXPECT_EQ(DateTimeValue("-1/2/2009", kMonthDayYear).IsValid(), 0);
  EXPECT_EQ(DateTimeValue("1/2/-2009", kMonthDayYear).GetYear(), 1900);
}

TEST(DateTimeParsingFailures, EmptyPartsReadAsZero) {
  EXPECT_EQ(DateTimeValue("1//2009", kMonthDayYear).IsValid(), 0);
  EXPECT_EQ(DateTimeValue("/1/2009", kMonthDayYear).IsValid(), 0);
}

TEST(DateTimeParsingFailures, NumbersTooLargeForAnIntAreInvalidNotWrapped) {
  // 4294967298 would wrap to 2 in 32 bits and pass as February.
  EXPECT_EQ(DateTimeValue("4294967298/1/2009", kMonthDayYear).IsValid(), 0);
  EXPECT_EQ(DateTimeValue("1/1/99999999999999999999", kMonthDayYear).IsValid(), 0);
  EXPECT_EQ(DateTimeValue("1/99999999999999999999/2009", kMonthDayYear).IsValid(), 0);
}

TEST(DateTimeParsingFailures, NullTextReadsAsEmpty) {
  EXPECT_EQ(DateTimeValue(static_cast<const char*>(nullptr), kMonthDayYear).IsValid(), 0);
}

TEST(DateTimeParsingFailures, ParseDateTextAlwaysReportsSuccess) {
  const DateTimeValue value(0, kMonthDayYear);
  int month = 0;
  int day = 0;
  int year = 0;
  EXPECT_EQ(value.ParseDateText("not a date", month, day, year), 1);
  EXPECT_EQ(month, 0);
  EXPECT_EQ(day, 0);
  EXPECT_EQ(year, 1900);
}

}  // namespace
}  // namespace quendral::util
