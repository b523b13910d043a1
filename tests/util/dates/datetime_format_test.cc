// Date texts by format code and with names; time-of-day texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "platform/os/local_time.h"
#include "support/environment_override.h"
#include "util/dates/datetime.h"

namespace quendral::util {
namespace {

std::string OrNull(const char* text) { return text != nullptr ? text : "(null)"; }

TEST(DateTimeFormatDate, EachFormatCode) {
  const int serial = DateTimeValue("2/25/2009", kMonthDayYear).GetSerial();
  const char* const expected[6] = {"02/25/109",  "25/02/109",  "109/02/25",
                                   "02/25/2009", "25/02/2009", "2009/02/25"};
  for (int code = 0; code < 6; ++code) {
    DateTimeValue value(serial, code);
    EXPECT_EQ(OrNull(value.FormatDate()), expected[code]) << code;
  }
}

TEST(DateTimeFormatDate, TwoDigitYearOfTheNineteenHundreds) {
  DateTimeValue value("2/5/1999", kMonthDayShortYear);
  EXPECT_EQ(OrNull(value.FormatDate()), "02/05/99");
  DateTimeValue early(DateTimeValue("1/2/1900", kMonthDayYear).GetSerial(), kShortYearMonthDay);
  EXPECT_EQ(OrNull(early.FormatDate()), "00/01/02");
}

TEST(DateTimeFormatDate, UnknownCodeOrInvalidDateGivesNull) {
  const int serial = DateTimeValue("2/25/2009", kMonthDayYear).GetSerial();
  EXPECT_EQ(DateTimeValue(serial, 6).FormatDate(), nullptr);
  EXPECT_EQ(DateTimeValue(serial, -1).FormatDate(), nullptr);
  EXPECT_EQ(DateTimeValue("2/30/2009", kMonthDayYear).FormatDate(), nullptr);
}

TEST(DateTimeFormatDate, NamedForms) {
  DateTimeValue value("2/25/2009", kMonthDayYear);
  EXPECT_EQ(OrNull(value.FormatDateShortNames()), "Wed Feb 25 2009");
  EXPECT_EQ(OrNull(value.FormatDateLongNames()), "Wednesday February 25 2009");
  DateTimeValue millennium(2451545, kMonthDayYear);
  EXPECT_EQ(OrNull(millennium.FormatDate()), "01/01/2000");
  EXPECT_EQ(OrNull(millennium.FormatDateLongNames()), "Saturday January 01 2000");
  DateTimeValue invalid("13/1/2009", kMonthDayYear);
  EXPECT_EQ(invalid.FormatDateShortNames(), nullptr);
  EXPECT_EQ(invalid.FormatDateLongNames(), nullptr);
}

TEST(DateTimeFormatDate, TextOfTheLastCallIsKept) {
  DateTimeValue value("12/31/2009", kMonthDayYear);
  const std::string numeric = OrNull(value.FormatDate());
  const char* named = value.FormatDateShortNames();
  EXPECT_EQ(numeric, "12/31/2009");
  EXPECT_EQ(OrNull(named), "Thu Dec 31 2009");
}

TEST(DateTimeFormatTime, InvalidDateGivesEmptyText) {
  DateTimeValue value("2/30/2009", kMonthDayYear);
  std::string text = "old";
  value.FormatTime(text, 1);
  EXPECT_EQ(text, "");
  text = "old";
  value.FormatShortTime(text, 1);
  EXPECT_EQ(text, "");
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  value.FormatTimeToBuffer(buffer, 6, 1);
  EXPECT_EQ(std::string(buffer, 8), std::string("\0\0\0\0\0\0xx", 8));
}

TEST(DateTimeFormatTime, BufferIsPaddedWithZerosUpToTheLength) {
  DateTimeValue value(kMonthDayYear);
  char buffer[32];
  std::memset(buffer, 'x', sizeof buffer);
  value.FormatShortTimeToBuffer(buffer, 20, 1);
  ASSERT_EQ(std::strlen(buffer), 8u);
  EXPECT_EQ(std::string(buffer + 8, 12), std::string(12, '\0'));
  EXPECT_EQ(buffer[20], 'x');
}

TEST(DateTimeFormatTime, LongTextIsCutAtTheLengthUnterminated) {
  DateTimeValue value(kMonthDayYear);
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  value.FormatTimeToBuffer(buffer, 3, 1);
  EXPECT_EQ(buffer[2], ':');
  EXPECT_EQ(buffer[3], 'x');
}

TEST(DateTimeFormatTime, NoRoomWritesNothing) {
  DateTimeValue value(kMonthDayYear);
  char buffer[4] = {'x', 'x', 'x', 'x'};
  value.FormatTimeToBuffer(buffer, 0, 1);
  value.FormatShortTimeToBuffer(buffer, -5, 1);
  value.FormatShortTimeToBuffer(nullptr, 10, 1);
  EXPECT_EQ(std::string(buffer, 4), "xxxx");
}

// Moves the local time zone so that the local hour is `hour` right now, and
// puts the old zone back afterwards. Both C runtimes read a zone "QDT<hours
// west of UTC>" from TZ.
class LocalHour {
 public:
  explicit LocalHour(int hour) {
    const std::time_t now = std::time(nullptr);
    const int utc_hour = std::gmtime(&now)->tm_hour;
    int hours_west = ((utc_hour - hour) % 24 + 24) % 24;
    if (hours_west > 12) {
      hours_west -= 24;
    }
    zone_.emplace("TZ", ("QDT" + std::to_string(hours_west)).c_str());
    os::ReloadTimeZone();
  }
  ~LocalHour() {
    zone_.reset();
    os::ReloadTimeZone();
  }
  LocalHour(const LocalHour&) = delete;
  LocalHour& operator=(const LocalHour&) = delete;

 private:
  std::optional<quendral::fixtures::EnvironmentOverride> zone_;
};

// The text is taken at `hour` local time; an hour that turns over between
// setting the zone and reading the clock is simply tried again.
std::string TimeTextAt(int hour, bool with_seconds, int mode, DateTimeValue& value) {
  std::string text;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const LocalHour zone(hour);
    if (with_seconds) {
      value.FormatTime(text, mode);
    } else {
      value.FormatShortTime(text, mode);
    }
    if (value.GetHour() == hour) {
      break;
    }
  }
  return text;
}

std::string Printed(const char* format, int hour, int minute, const char* suffix) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, hour, minute, suffix);
  return buffer;
}

TEST(DateTimeFormatTime, NoonIsTwelvePm) {
  DateTimeValue value(kMonthDayYear);
  const std::string text = TimeTextAt(12, false, 1, value);
  EXPECT_EQ(value.GetHour(), 12);
  EXPECT_EQ(text, Printed("%02d:%02d %s", 12, value.GetMinute(), "PM"));
}

TEST(DateTimeFormatTime, MidnightIsTwelveAm) {
  DateTimeValue value(kMonthDayYear);
  const std::string text = TimeTextAt(0, false, 1, value);
  EXPECT_EQ(value.GetHour(), 0);
  EXPECT_EQ(text, Printed("%02d:%02d %s", 12, value.GetMinute(), "AM"));
}

TEST(DateTimeFormatTime, AfternoonInTwelveHourForm) {
  DateTimeValue value(kMonthDayYear);
  const std::string text = TimeTextAt(14, true, 1, value);
  EXPECT_EQ(value.GetHour(), 14);
  char expected[32];
  std::snprintf(expected, sizeof expected, "02:%02d:%02d   PM", value.GetMinute(),
                value.GetSecond());
  EXPECT_EQ(text, expected);
}

TEST(DateTimeFormatTime, OtherModesHaveNoSuffix) {
  DateTimeValue value(kMonthDayYear);
  const std::string short_text = TimeTextAt(9, false, 0, value);
  EXPECT_EQ(short_text, Printed("%02d:%02d %s", 9, value.GetMinute(), ""));
  const std::string long_text = TimeTextAt(21, true, 2, value);
  char expected[32];
  std::snprintf(expected, sizeof expected, "09:%02d:%02d   ", value.GetMinute(), value.GetSecond());
  EXPECT_EQ(long_text, expected);
}

// What the link repair names its backup after: the local date and the hour in
// 24-hour form. A capture that straddles a second is taken again.
TEST(DateTimeCapture, FormatCodeAloneCapturesLocalDateAndTime) {
  for (const int hour : {0, 11, 12, 23}) {
    const LocalHour zone(hour);
    std::time_t seconds = 0;
    std::optional<DateTimeValue> now;
    for (int attempt = 0; attempt < 3; ++attempt) {
      seconds = std::time(nullptr);
      now.emplace(kMonthDayYear);
      if (std::time(nullptr) == seconds) {
        break;
      }
    }
    std::tm local{};
    ASSERT_TRUE(os::LocalTimeFields(seconds, &local));
    ASSERT_EQ(now->IsValid(), 1);
    EXPECT_EQ(now->GetYear(), local.tm_year + 1900);
    EXPECT_EQ(now->GetMonth(), local.tm_mon + 1);
    EXPECT_EQ(now->GetDay(), local.tm_mday);
    EXPECT_EQ(now->GetHour(), local.tm_hour);
    EXPECT_EQ(now->GetMinute(), local.tm_min);
    EXPECT_EQ(now->GetSecond(), local.tm_sec);
  }
}

}  // namespace
}  // namespace quendral::util
