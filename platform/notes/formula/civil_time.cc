// Conversions between seconds and the proleptic Gregorian calendar. The
// day arithmetic works in 400-year eras, so every year (negative ones too)
// converts exactly and without a table.
#include <algorithm>
#include <cstdio>
#include <limits>

#include "platform/notes/formula/value.h"

namespace quendral::platform::formula {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kDaysPerEra = 146097;
// 0000-03-01 is day 0 of an era; 1970-01-01 lies this many days after it.
constexpr std::int64_t kUnixEpochDay = 719468;

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  std::int64_t quotient = value / divisor;
  return (value % divisor < 0) ? quotient - 1 : quotient;
}

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = FloorDivide(year, 400);
  const std::int64_t year_of_era = year - era * 400;
  const int shifted_month = month > 2 ? month - 3 : month + 9;  // March first
  const std::int64_t day_of_year = (153 * shifted_month + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * kDaysPerEra + day_of_era - kUnixEpochDay;
}

struct CivilDate {
  std::int64_t year;
  int month;
  int day;
};

CivilDate CivilFromDays(std::int64_t days) {
  days += kUnixEpochDay;
  const std::int64_t era = FloorDivide(days, kDaysPerEra);
  const std::int64_t day_of_era = days - era * kDaysPerEra;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
  CivilDate date{};
  date.day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  date.month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  date.year = year_of_era + era * 400 + (date.month <= 2 ? 1 : 0);
  return date;
}

// Reads exactly `count` decimal digits; false on anything else.
bool ReadDigits(std::string_view text, std::size_t offset, std::size_t count, int* value) {
  *value = 0;
  for (std::size_t i = offset; i < offset + count; ++i) {
    if (text[i] < '0' || text[i] > '9') {
      return false;
    }
    *value = *value * 10 + (text[i] - '0');
  }
  return true;
}

// "+hh:mm", "-hh:mm" or "Z", then " DST" when the offset includes daylight
// saving time.
bool ParseOffset(std::string_view text, std::optional<Zone>* zone) {
  constexpr std::string_view kDaylight = " DST";
  const bool daylight = text.size() > kDaylight.size() && text.ends_with(kDaylight);
  if (daylight) {
    text.remove_suffix(kDaylight.size());
  }
  int offset = 0;
  if (text != "Z") {
    int hours = 0;
    int minutes = 0;
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || !ReadDigits(text, 1, 2, &hours) ||
        text[3] != ':' || !ReadDigits(text, 4, 2, &minutes) || minutes > 59) {
      return false;
    }
    offset = (text[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
  }
  *zone = ZoneOfOffset(offset, daylight);
  return zone->has_value();
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

DateTime MakeDateTime(const CivilTime& civil) {
  // Months outside 1-12 carry into the year; days, hours, minutes and
  // seconds outside their ranges simply count on from the month's start.
  const std::int64_t month_index = std::int64_t{civil.month} - 1;
  const std::int64_t year = civil.year + FloorDivide(month_index, 12);
  const int month = static_cast<int>(month_index - FloorDivide(month_index, 12) * 12) + 1;
  const std::int64_t days = DaysFromCivil(year, month, 1) + (std::int64_t{civil.day} - 1);
  return DateTime{days * kSecondsPerDay + std::int64_t{civil.hour} * 3600 +
                  std::int64_t{civil.minute} * 60 + civil.second};
}

CivilTime ToCivil(DateTime time) {
  const std::int64_t days = FloorDivide(time.seconds, kSecondsPerDay);
  std::int64_t second_of_day = time.seconds % kSecondsPerDay;
  if (second_of_day < 0) {
    second_of_day += kSecondsPerDay;
  }
  const CivilDate date = CivilFromDays(days);
  CivilTime civil;
  // Only times hundreds of millions of years away have years beyond an int.
  civil.year = static_cast<int>(std::clamp<std::int64_t>(date.year, std::numeric_limits<int>::min(),
                                                         std::numeric_limits<int>::max()));
  civil.month = date.month;
  civil.day = date.day;
  civil.hour = static_cast<int>(second_of_day / 3600);
  civil.minute = static_cast<int>(second_of_day / 60 % 60);
  civil.second = static_cast<int>(second_of_day % 60);
  return civil;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int Weekday(DateTime time) {
  // 1970-01-01 was a Thursday.
  const std::int64_t day = FloorDivide(time.seconds, kSecondsPerDay);
  return static_cast<int>(((day + 4) % 7 + 7) % 7) + 1;
}

std::string FormatDateTime(DateTime time) {
  const CivilTime civil = ToCivil(time);
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", civil.year,
                             civil.month, civil.day, civil.hour, civil.minute, civil.second);
  if (time.zone) {
    const int offset = time.zone->OffsetMinutes();
    const int magnitude = offset < 0 ? -offset : offset;
    std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length),
                  "%c%02d:%02d%s", offset < 0 ? '-' : '+', magnitude / 60, magnitude % 60,
                  time.zone->daylight ? " DST" : "");
  }
  return buffer;
}

bool IsZoneOffset(int minutes) {
  return minutes % 15 == 0 && minutes >= -kMaxZoneMinutes && minutes <= kMaxZoneMinutes;
}

std::optional<Zone> ZoneOfOffset(int offset, bool daylight) {
  const Zone zone{daylight ? offset - 60 : offset, daylight};
  if (!IsZoneOffset(offset) || !IsZoneOffset(zone.minutes_east)) {
    return std::nullopt;
  }
  return zone;
}

bool ParseDateTime(std::string_view text, DateTime* time) {
  constexpr std::size_t kDateLength = 10;  // YYYY-MM-DD
  constexpr std::size_t kFullLength = 19;  // YYYY-MM-DDTHH:MM:SS
  std::optional<Zone> zone;
  if (text.size() > kFullLength && !ParseOffset(text.substr(kFullLength), &zone)) {
    return false;
  }
  if (text.size() != kDateLength && text.size() < kFullLength) {
    return false;
  }
  CivilTime civil;
  civil.hour = civil.minute = civil.second = 0;
  if (!ReadDigits(text, 0, 4, &civil.year) || text[4] != '-' ||
      !ReadDigits(text, 5, 2, &civil.month) || text[7] != '-' ||
      !ReadDigits(text, 8, 2, &civil.day)) {
    return false;
  }
  if (text.size() >= kFullLength && (text[10] != 'T' || !ReadDigits(text, 11, 2, &civil.hour) ||
                                     text[13] != ':' || !ReadDigits(text, 14, 2, &civil.minute) ||
                                     text[16] != ':' || !ReadDigits(text, 17, 2, &civil.second))) {
    return false;
  }
  if (civil.month < 1 || civil.month > 12 || civil.day < 1 ||
      civil.day > DaysInMonth(civil.year, civil.month) || civil.hour > 23 || civil.minute > 59 ||
      civil.second > 59) {
    return false;
  }
  *time = MakeDateTime(civil);
  time->zone = zone;
  return true;
}

}  // namespace quendral::platform::formula
