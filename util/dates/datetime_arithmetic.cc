// Moving a date by days, months and years, and counting years up to today.
#include <climits>

#include "util/dates/datetime.h"

namespace quendral::util {

namespace {

constexpr double kMeanGregorianYear = 365.2425;

}  // namespace

DateTimeValue& DateTimeValue::AddDays(int count) {
  if (IsValid() != 0) {
    MoveSerial(count);
  }
  return *this;
}

DateTimeValue& DateTimeValue::SubtractDays(int count) {
  if (IsValid() != 0) {
    MoveSerial(-static_cast<long long>(count));
  }
  return *this;
}

DateTimeValue& DateTimeValue::AddMonths(int count) {
  if (IsValid() != 0) {
    MoveMonths(count);
  }
  return *this;
}

DateTimeValue& DateTimeValue::SubtractMonths(int count) {
  if (IsValid() != 0) {
    MoveMonths(-static_cast<long long>(count));
  }
  return *this;
}

DateTimeValue& DateTimeValue::AddYears(int count) {
  if (IsValid() != 0) {
    MoveTo(year_ + static_cast<long long>(count), month_);
  }
  return *this;
}

DateTimeValue& DateTimeValue::SubtractYears(int count) {
  if (IsValid() != 0) {
    MoveTo(year_ - static_cast<long long>(count), month_);
  }
  return *this;
}

// Every 32-bit day number converts to a date, so only the sum needs a check.
void DateTimeValue::MoveSerial(long long count) {
  const long long serial = serial_ + count;
  if (serial < INT_MIN || serial > INT_MAX) {
    return;
  }
  serial_ = static_cast<int>(serial);
  ApplySerial();
}

// Counting in months since year 0 keeps the month in 1-12 whichever way the
// count goes; the floor division carries the year.
void DateTimeValue::MoveMonths(long long count) {
  const long long months = year_ * 12LL + (month_ - 1) + count;
  long long year = months / 12;
  long long month_index = months % 12;
  if (month_index < 0) {
    month_index += 12;
    year -= 1;
  }
  MoveTo(year, static_cast<int>(month_index) + 1);
}

// The day is lowered to fit the new month: 31 January plus a month is the
// last day of February. Years beyond kMaxYear either way have no 32-bit day
// number, so such a move is refused.
void DateTimeValue::MoveTo(long long year, int month) {
  if (year < -kMaxYear || year > kMaxYear) {
    return;
  }
  year_ = static_cast<int>(year);
  month_ = month;
  ClampDayToMonth();
  serial_ = ComputeSerial();
}

// Mean Gregorian years, not anniversaries: 365 days is 0 years, 366 is 1.
int DateTimeValue::ElapsedYears() const {
  if (IsValid() == 0) {
    return 0;
  }
  const DateTimeValue today(kMonthDayYear);
  if (today.IsValid() == 0 || serial_ >= today.serial_) {
    return 0;
  }
  return static_cast<int>((today.serial_ - serial_) / kMeanGregorianYear);
}

}  // namespace quendral::util
