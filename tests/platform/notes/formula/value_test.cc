#include "platform/notes/formula/value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace quendral::platform::formula {
namespace {

TEST(CivilTime, KnownInstants) {
  EXPECT_EQ(MakeDateTime({1970, 1, 1, 0, 0, 0}).seconds, 0);
  EXPECT_EQ(MakeDateTime({2000, 3, 1, 0, 0, 0}).seconds, 951868800);
  EXPECT_EQ(MakeDateTime({1969, 12, 31, 23, 59, 59}).seconds, -1);
  EXPECT_EQ(MakeDateTime({0, 1, 1, 0, 0, 0}).seconds, -62167219200);
  EXPECT_EQ(MakeDateTime({9999, 12, 31, 23, 59, 59}).seconds, 253402300799);
}

TEST(CivilTime, EveryDayOfYearsZeroToTenThousandRoundTrips) {
  DateTime expected = MakeDateTime({0, 1, 1, 0, 0, 0});
  for (int year = 0; year <= 10000; ++year) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int days_in_february = leap ? 29 : 28;
    const int days[] = {31, days_in_february, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= days[month - 1]; ++day) {
        const DateTime time = MakeDateTime({year, month, day, 0, 0, 0});
        ASSERT_EQ(time.seconds, expected.seconds) << year << "-" << month << "-" << day;
        const CivilTime civil = ToCivil(time);
        ASSERT_EQ(civil.year, year);
        ASSERT_EQ(civil.month, month);
        ASSERT_EQ(civil.day, day);
        expected.seconds += 86400;
      }
    }
  }
}

TEST(CivilTime, NegativeSecondsFloorToThePreviousDay) {
  const CivilTime civil = ToCivil(DateTime{-1});
  EXPECT_EQ(civil.year, 1969);
  EXPECT_EQ(civil.month, 12);
  EXPECT_EQ(civil.day, 31);
  EXPECT_EQ(civil.hour, 23);
  EXPECT_EQ(civil.minute, 59);
  EXPECT_EQ(civil.second, 59);
}

TEST(CivilTime, OutOfRangeFieldsCarry) {
  EXPECT_EQ(MakeDateTime({2023, 13, 1, 0, 0, 0}), MakeDateTime({2024, 1, 1, 0, 0, 0}));
  EXPECT_EQ(MakeDateTime({2024, 0, 1, 0, 0, 0}), MakeDateTime({2023, 12, 1, 0, 0, 0}));
  EXPECT_EQ(MakeDateTime({2024, 2, 30, 0, 0, 0}), MakeDateTime({2024, 3, 1, 0, 0, 0}));
  EXPECT_EQ(MakeDateTime({2024, 1, 1, 25, 0, 0}), MakeDateTime({2024, 1, 2, 1, 0, 0}));
}

TEST(CivilTime, ExtremeSecondsDoNotOverflow) {
  const CivilTime high = ToCivil(DateTime{std::numeric_limits<std::int64_t>::max()});
  const CivilTime low = ToCivil(DateTime{std::numeric_limits<std::int64_t>::min()});
  EXPECT_EQ(high.year, std::numeric_limits<int>::max());
  EXPECT_EQ(low.year, std::numeric_limits<int>::min());
  EXPECT_GE(low.second, 0);
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  EXPECT_GT(MakeDateTime({kMax, kMax, kMax, kMax, kMax, kMax}).seconds, 0);
  EXPECT_LT(MakeDateTime({kMin, kMin, kMin, kMin, kMin, kMin}).seconds, 0);
}

TEST(DateTimeText, FormatsAndParsesBothForms) {
  const DateTime time = MakeDateTime({2024, 2, 29, 7, 8, 9});
  EXPECT_EQ(FormatDateTime(time), "2024-02-29T07:08:09");
  DateTime parsed;
  ASSERT_TRUE(ParseDateTime("2024-02-29T07:08:09", &parsed));
  EXPECT_EQ(parsed, time);
  ASSERT_TRUE(ParseDateTime("0001-01-01", &parsed));
  EXPECT_EQ(FormatDateTime(parsed), "0001-01-01T00:00:00");
}

TEST(DateTimeText, RejectsMalformedAndImpossibleDates) {
  DateTime parsed{42};
  for (const char* text : {"",
                           "2024-1-01",
                           "2024-01-01T",
                           "2024-01-01 00:00:00",
                           "2023-02-29",
                           "2024-13-01",
                           "2024-00-10",
                           "2024-04-31",
                           "2024-01-01T24:00:00",
                           "2024-01-01T00:60:00",
                           "2024-01-01T00:00:60",
                           "2024-01-01T00:00:0x",
                           "+024-01-01",
                           "2024-01-01T00:00:00z",
                           "2024-01-01T00:00:00+1:00",
                           "2024-01-01T00:00:00+01:07",
                           "2024-01-01T00:00:00+16:00",
                           "2024-01-01T00:00:00 DST",
                           "2024-01-01T00:00:00+01:00DST",
                           "2024-01-01T00:00:00-15:45 DST",
                           "2024-01-01+01:00"}) {
    EXPECT_FALSE(ParseDateTime(text, &parsed)) << text;
  }
  EXPECT_EQ(parsed.seconds, 42);
}

TEST(DateTimeText, KeepsTheZoneAndItsDaylightSaving) {
  const struct {
    const char* text;
    Zone zone;
    const char* written;
  } kCases[] = {
      {"2024-06-01T10:00:00+02:00 DST", {60, true}, "2024-06-01T10:00:00+02:00 DST"},
      {"2024-06-01T10:00:00-05:30", {-330, false}, "2024-06-01T10:00:00-05:30"},
      {"2024-06-01T10:00:00Z", {0, false}, "2024-06-01T10:00:00+00:00"},
      {"2024-06-01T10:00:00+15:45", {945, false}, "2024-06-01T10:00:00+15:45"},
  };
  for (const auto& c : kCases) {
    DateTime parsed;
    ASSERT_TRUE(ParseDateTime(c.text, &parsed)) << c.text;
    EXPECT_EQ(parsed.zone, c.zone) << c.text;
    EXPECT_EQ(FormatDateTime(parsed), c.written) << c.text;
  }
}

TEST(DateTime, ComparesTheMomentsNamed) {
  const DateTime paris{MakeDateTime({2024, 6, 1, 10, 0, 0}).seconds, Zone{60, true}};
  const DateTime london{MakeDateTime({2024, 6, 1, 9, 0, 0}).seconds, Zone{0, true}};
  const DateTime gmt = MakeDateTime({2024, 6, 1, 7, 30, 0});
  EXPECT_EQ(paris, london);
  EXPECT_LT(gmt, paris);  // a time without a zone counts as GMT
  EXPECT_GT((DateTime{london.seconds, Zone{-300, false}}), gmt);
}

TEST(FormatNumber, ShortestTextThatReadsBack) {
  EXPECT_EQ(FormatNumber(1), "1");
  EXPECT_EQ(FormatNumber(2.5), "2.5");
  EXPECT_EQ(FormatNumber(0.1), "0.1");
  EXPECT_EQ(FormatNumber(-3), "-3");
  EXPECT_EQ(FormatNumber(1e20), "1e+20");
  EXPECT_EQ(FormatNumber(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(std::strtod(FormatNumber(std::numeric_limits<double>::denorm_min()).c_str(), nullptr),
            std::numeric_limits<double>::denorm_min());
}

TEST(Value, AsTextsConvertsEachKind) {
  EXPECT_EQ(ValueAsTexts(Value::Numbers({1, 0.5})), (std::vector<std::string>{"1", "0.5"}));
  EXPECT_EQ(ValueAsTexts(Value::Time(DateTime{0})),
            (std::vector<std::string>{"1970-01-01T00:00:00"}));
  EXPECT_EQ(ValueAsTexts(Value::Texts({"a", ""})), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(Value::Texts({}).size(), 0u);
  EXPECT_EQ(Value::Times({DateTime{1}, DateTime{2}}).size(), 2u);
}

}  // namespace
}  // namespace quendral::platform::formula
