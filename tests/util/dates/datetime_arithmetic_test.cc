// Moving dates, counting years, comparing and assigning.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "util/dates/datetime.h"

namespace quendral::util {
namespace {

// The date as year-month-day, with a mark when the day number has fallen out
// of step with the fields.
std::string Ymd(const DateTimeValue& value) {
  std::string text = std::to_string(value.GetYear()) + "-" + std::to_string(value.GetMonth()) +
                     "-" + std::to_string(value.GetDay());
  const int in_step = value.SerialFromDate(value.GetMonth(), value.GetDay(), value.GetYear());
  if (value.GetSerial() != in_step) {
    text += " (day number " + std::to_string(value.GetSerial()) + ")";
  }
  return text;
}

DateTimeValue Date(const char* text) { return DateTimeValue(text, kMonthDayYear); }

TEST(DateTimeDays, AcrossMonthAndYearEnds) {
  EXPECT_EQ(Ymd(Date("2/28/2009").AddDays(1)), "2009-3-1");
  EXPECT_EQ(Ymd(Date("2/28/2008").AddDays(1)), "2008-2-29");
  EXPECT_EQ(Ymd(Date("12/31/1999").AddDays(1)), "2000-1-1");
  EXPECT_EQ(Ymd(Date("1/1/2000").SubtractDays(1)), "1999-12-31");
  EXPECT_EQ(Ymd(Date("1/1/2000").AddDays(366)), "2001-1-1");
}

TEST(DateTimeDays, NegativeCountGoesTheOtherWay) {
  EXPECT_EQ(Ymd(Date("3/1/2009").AddDays(-1)), "2009-2-28");
  EXPECT_EQ(Ymd(Date("2/28/2009").SubtractDays(-1)), "2009-3-1");
  EXPECT_EQ(Ymd(Date("1/1/2000").SubtractDays(-366)), "2001-1-1");
}

TEST(DateTimeDays, DayNumberOverflowIsRefused) {
  DateTimeValue value = Date("6/15/2009");
  value.AddDays(INT_MAX);
  EXPECT_EQ(Ymd(value), "2009-6-15");
  value.SubtractDays(INT_MIN);
  EXPECT_EQ(Ymd(value), "2009-6-15");
}

TEST(DateTimeDays, MovingBeforeYearZeroLeavesAnInvalidDate) {
  DateTimeValue value = Date("6/15/2009");
  value.SubtractDays(INT_MAX);
  EXPECT_EQ(value.IsValid(), 0);
  EXPECT_EQ(Date("1/1/2000").SubtractDays(2000 * 366).IsValid(), 0);
}

TEST(DateTimeMonths, DayIsLoweredToTheEndOfAShorterMonth) {
  EXPECT_EQ(Ymd(Date("1/31/2009").AddMonths(1)), "2009-2-28");
  EXPECT_EQ(Ymd(Date("1/31/2008").AddMonths(1)), "2008-2-29");
  EXPECT_EQ(Ymd(Date("3/31/2009").SubtractMonths(1)), "2009-2-28");
  EXPECT_EQ(Ymd(Date("5/31/2009").AddMonths(1)), "2009-6-30");
}

TEST(DateTimeMonths, CarriesIntoTheYear) {
  EXPECT_EQ(Ymd(Date("11/15/2009").AddMonths(2)), "2010-1-15");
  EXPECT_EQ(Ymd(Date("11/15/2009").AddMonths(25)), "2011-12-15");
  EXPECT_EQ(Ymd(Date("3/15/2009").SubtractMonths(14)), "2008-1-15");
  EXPECT_EQ(Ymd(Date("3/15/2009").SubtractMonths(12)), "2008-3-15");
  EXPECT_EQ(Ymd(Date("2/15/2009").SubtractMonths(3)), "2008-11-15");
  EXPECT_EQ(Ymd(Date("1/15/2009").SubtractMonths(24)), "2007-1-15");
  EXPECT_EQ(Ymd(Date("1/15/2009").AddMonths(0)), "2009-1-15");
}

TEST(DateTimeMonths, NegativeCountKeepsTheMonthInRange) {
  EXPECT_EQ(Ymd(Date("1/15/2009").AddMonths(-1)), "2008-12-15");
  EXPECT_EQ(Ymd(Date("1/15/2009").AddMonths(-13)), "2007-12-15");
  EXPECT_EQ(Ymd(Date("12/15/2009").SubtractMonths(-1)), "2010-1-15");
  EXPECT_EQ(Ymd(Date("3/31/2009").SubtractMonths(-11)), "2010-2-28");
}

TEST(DateTimeMonths, HugeCountsAreRefused) {
  for (const int count : {INT_MAX, INT_MIN}) {
    EXPECT_EQ(Ymd(Date("6/15/2009").AddMonths(count)), "2009-6-15") << count;
    EXPECT_EQ(Ymd(Date("6/15/2009").SubtractMonths(count)), "2009-6-15") << count;
  }
}

TEST(DateTimeYears, LeapDayBecomesTheLastOfFebruary) {
  EXPECT_EQ(Ymd(Date("2/29/2008").AddYears(1)), "2009-2-28");
  EXPECT_EQ(Ymd(Date("2/29/2008").SubtractYears(4)), "2004-2-29");
  EXPECT_EQ(Ymd(Date("2/29/2000").AddYears(100)), "2100-2-28");
}

TEST(DateTimeYears, NegativeCountGoesTheOtherWay) {
  EXPECT_EQ(Ymd(Date("6/15/2009").AddYears(-9)), "2000-6-15");
  EXPECT_EQ(Ymd(Date("6/15/2009").SubtractYears(-1)), "2010-6-15");
}

TEST(DateTimeYears, HugeCountsAreRefused) {
  for (const int count : {INT_MAX, INT_MIN}) {
    EXPECT_EQ(Ymd(Date("6/15/2009").AddYears(count)), "2009-6-15") << count;
    EXPECT_EQ(Ymd(Date("6/15/2009").SubtractYears(count)), "2009-6-15") << count;
  }
}

TEST(DateTimeYears, MovingBeforeYearZeroLeavesAnInvalidDate) {
  DateTimeValue value = Date("6/15/2009");
  value.SubtractYears(2010);
  EXPECT_EQ(value.IsValid(), 0);
}

TEST(DateTimeArithmetic, InvalidDateIsLeftAlone) {
  // 30 February has the day number of 2 March; moving it would make it valid.
  DateTimeValue value = Date("2/30/2009");
  value.AddDays(-1).SubtractDays(1).AddMonths(1).SubtractMonths(1).AddYears(1).SubtractYears(1);
  EXPECT_EQ(value.IsValid(), 0);
}

TEST(DateTimeArithmetic, CallsChain) {
  DateTimeValue value = Date("1/31/2009");
  EXPECT_EQ(Ymd(value.AddMonths(1).AddDays(1).AddYears(1)), "2010-3-1");
  EXPECT_EQ(Ymd(value), "2010-3-1");
}

TEST(DateTimeArithmetic, ClampIgnoresAMonthOutOfRange) {
  DateTimeValue value = Date("13/40/2009");
  const int before = value.ComputeSerial();
  value.ClampDayToMonth();
  EXPECT_EQ(value.ComputeSerial(), before);
}

TEST(DateTimeElapsedYears, CountsMeanYearsUpToToday) {
  const int today = DateTimeValue(kMonthDayYear).GetSerial();
  ASSERT_NE(today, 0);
  EXPECT_EQ(DateTimeValue(today - 365, kMonthDayYear).ElapsedYears(), 0);
  EXPECT_EQ(DateTimeValue(today - 366, kMonthDayYear).ElapsedYears(), 1);
  EXPECT_EQ(DateTimeValue(today - 3652, kMonthDayYear).ElapsedYears(), 9);
  EXPECT_EQ(DateTimeValue(today - 3653, kMonthDayYear).ElapsedYears(), 10);
  EXPECT_EQ(DateTimeValue(today, kMonthDayYear).ElapsedYears(), 0);
  EXPECT_EQ(DateTimeValue(today + 400, kMonthDayYear).ElapsedYears(), 0);
  EXPECT_EQ(Date("2/30/2009").ElapsedYears(), 0);
}

TEST(DateTimeCompare, RelationsBetweenValues) {
  const DateTimeValue early = Date("2/25/2009");
  const DateTimeValue late = Date("2/26/2009");
  const DateTimeValue same(early.GetSerial(), kYearMonthDay);
  EXPECT_TRUE(early < late);
  EXPECT_TRUE(early <= late);
  EXPECT_TRUE(early <= same);
  EXPECT_FALSE(early > late);
  EXPECT_TRUE(late > early);
  EXPECT_TRUE(late >= early);
  EXPECT_TRUE(early == same);
  EXPECT_FALSE(early != same);
  EXPECT_TRUE(early != late);
}

TEST(DateTimeCompare, InvalidValueRelatesToNothing) {
  const DateTimeValue invalid = Date("2/30/2009");
  const DateTimeValue valid = Date("2/25/2009");
  EXPECT_FALSE(invalid < valid);
  EXPECT_FALSE(invalid <= valid);
  EXPECT_FALSE(invalid > valid);
  EXPECT_FALSE(invalid >= valid);
  EXPECT_FALSE(invalid == Date("2/30/2009"));
  EXPECT_FALSE(invalid != valid);
  EXPECT_FALSE(invalid == "2/25/2009");
  EXPECT_FALSE(invalid != "2/25/2009");
}

TEST(DateTimeCompare, RelationsWithTextReadInMonthDayYearOrder) {
  const DateTimeValue value("25/02/2009", kDayMonthYear);
  EXPECT_TRUE(value == "2/25/2009");
  EXPECT_TRUE(value != "2/24/2009");
  EXPECT_TRUE(value < "2/26/2009");
  EXPECT_TRUE(value <= "2/25/2009");
  EXPECT_TRUE(value > "2/24/2009");
  EXPECT_TRUE(value >= "2/25/2009");
  // An invalid text relates to nothing, not even by "!=".
  EXPECT_FALSE(value != "25/02/2009");
  EXPECT_FALSE(value < "garbage");
  EXPECT_FALSE(value != static_cast<const char*>(nullptr));
}

TEST(DateTimeAssign, EqualDateKeepsTheTargetsFormatCode) {
  DateTimeValue target("2/25/2009", kMonthDayYear);
  const DateTimeValue source(target.GetSerial(), kYearMonthDay);
  target = source;
  EXPECT_STREQ(target.FormatDate(), "02/25/2009");
}

TEST(DateTimeAssign, OtherDateBringsItsFormatCode) {
  DateTimeValue target("2/25/2009", kMonthDayYear);
  target = DateTimeValue(Date("3/1/2010").GetSerial(), kYearMonthDay);
  EXPECT_STREQ(target.FormatDate(), "2010/03/01");
  EXPECT_EQ(Ymd(target), "2010-3-1");
}

TEST(DateTimeAssign, InvalidTargetTakesAnyDate) {
  DateTimeValue target("2/30/2009", kMonthDayYear);
  target = Date("3/1/2010");
  EXPECT_EQ(Ymd(target), "2010-3-1");
}

TEST(DateTimeAssign, TextIsReadInTheTargetsOwnOrder) {
  DateTimeValue target("1/1/2000", kDayMonthYear);
  target = "25.02.2009";
  EXPECT_EQ(Ymd(target), "2009-2-25");
  EXPECT_STREQ(target.FormatDate(), "25/02/2009");
  target = "31/02/2009";
  EXPECT_EQ(target.IsValid(), 0);
}

}  // namespace
}  // namespace quendral::util
