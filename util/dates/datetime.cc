// Construction, the local clock, validity and the two day-number conversions.
#include "util/dates/datetime.h"

#include <algorithm>
#include <climits>
#include <ctime>

#include "platform/os/local_time.h"

namespace quendral::util {

namespace {

constexpr int kDaysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// Day number of 1 March of year 0 less the days of the March-based year
// arithmetic below; 1 January 2000 comes out as 2451545.
constexpr long long kSerialOffset = 1721119;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// `month` must be 1-12.
int DaysInMonth(int month, int year) {
  const int days = kDaysBeforeMonth[month] - kDaysBeforeMonth[month - 1];
  return month == 2 && IsLeapYear(year) ? days + 1 : days;
}

// Fields are not range-checked, so the arithmetic is widened: no field value
// can overflow it. Divisions truncate toward zero, which makes January and
// February of year 0 one day too late.
long long WideSerial(long long month, long long day, long long year) {
  if (month < 3) {
    month += 12;
    year -= 1;
  }
  return day + (153 * month - 457) / 5 + 365 * year + year / 4 - year / 100 + year / 400 +
         kSerialOffset;
}

bool ReadLocalClock(std::tm& now) { return os::LocalTimeFields(std::time(nullptr), &now); }

}  // namespace

DateTimeValue::DateTimeValue(int format_code) : format_code_(format_code) {
  SetToday();
  serial_ = ComputeSerial();
  SetTimeNow();
}

DateTimeValue::DateTimeValue(const char* text, int format_code) : format_code_(format_code) {
  SetFromText(text);
  serial_ = ComputeSerial();
  SetTimeNow();
}

DateTimeValue::DateTimeValue(int serial, int format_code)
    : serial_(serial), format_code_(format_code) {
  ApplySerial();
  SetTimeNow();
}

DateTimeValue::~DateTimeValue() = default;

int DateTimeValue::IsValid() const {
  if (year_ < 0 || year_ > kMaxYear || month_ < 1 || month_ > 12 || day_ < 1) {
    return 0;
  }
  return day_ <= DaysInMonth(month_, year_) ? 1 : 0;
}

int DateTimeValue::GetDay() const { return IsValid() != 0 ? day_ : 0; }

int DateTimeValue::GetMonth() const { return IsValid() != 0 ? month_ : 0; }

int DateTimeValue::GetYear() const { return IsValid() != 0 ? year_ : 0; }

void DateTimeValue::GetDate(int& month, int& day, int& year) const {
  if (IsValid() != 0) {
    month = month_;
    day = day_;
    year = year_;
  }
}

int DateTimeValue::GetHour() const { return IsValid() != 0 ? hour12_ + 12 * after_noon_ : 0; }

int DateTimeValue::GetMinute() const { return IsValid() != 0 ? minute_ : 0; }

int DateTimeValue::GetSecond() const { return IsValid() != 0 ? second_ : 0; }

int DateTimeValue::GetSerial() const { return IsValid() != 0 ? serial_ : 0; }

int DateTimeValue::DayOfWeek() const { return IsValid() != 0 ? (serial_ + 1) % 7 : 0; }

// A clock that cannot be read leaves an invalid date rather than a stale one.
int DateTimeValue::SetToday() {
  std::tm now{};
  if (!ReadLocalClock(now)) {
    year_ = month_ = day_ = 0;
    return 0;
  }
  year_ = now.tm_year + 1900;
  month_ = now.tm_mon + 1;
  day_ = now.tm_mday;
  return 1;
}

void DateTimeValue::SetTimeNow() {
  std::tm now{};
  if (!ReadLocalClock(now)) {
    now = std::tm{};
  }
  after_noon_ = now.tm_hour >= 12 ? 1 : 0;
  hour12_ = now.tm_hour - 12 * after_noon_;
  minute_ = now.tm_min;
  second_ = now.tm_sec;
}

int DateTimeValue::ComputeSerial() const { return SerialFromDate(month_, day_, year_); }

// Only dates up to kMaxYear have a day number that fits; the rest are
// invalid, so saturating them loses nothing.
int DateTimeValue::SerialFromDate(int month, int day, int year) const {
  return static_cast<int>(std::clamp<long long>(WideSerial(month, day, year), INT_MIN, INT_MAX));
}

void DateTimeValue::ApplySerial() { DateFromSerial(month_, day_, year_); }

// Widened like WideSerial so that any 32-bit day number converts without
// overflow; the resulting year always fits in 32 bits.
void DateTimeValue::DateFromSerial(int& month, int& day, int& year) const {
  long long l = serial_ + 68569LL;
  const long long k = 4 * l / 146097;
  l -= (146097 * k + 3) / 4;
  const long long i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  const long long j = 80 * l / 2447;
  day = static_cast<int>(l - 2447 * j / 80);
  l = j / 11;
  month = static_cast<int>(j + 2 - 12 * l);
  year = static_cast<int>(100 * (k - 49) + i + l);
}

void DateTimeValue::ClampDayToMonth() {
  if (month_ >= 1 && month_ <= 12) {
    day_ = std::min(day_, DaysInMonth(month_, year_));
  }
}

}  // namespace quendral::util
