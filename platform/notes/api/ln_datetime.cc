#include "platform/notes/api/ln_datetime.h"

#include "platform/notes/api/item_values.h"

LNDatetime::LNDatetime(const TIMEDATE& timedate) {
  if (!quendral::platform::values::FromTimedate(timedate, &time_)) {
    time_ = {};
  }
}

int LNDatetime::GetYear() const { return quendral::platform::formula::ToCivil(time_).year; }
int LNDatetime::GetMonth() const { return quendral::platform::formula::ToCivil(time_).month; }
int LNDatetime::GetDay() const { return quendral::platform::formula::ToCivil(time_).day; }
int LNDatetime::GetHour() const { return quendral::platform::formula::ToCivil(time_).hour; }
int LNDatetime::GetMinute() const { return quendral::platform::formula::ToCivil(time_).minute; }
int LNDatetime::GetSecond() const { return quendral::platform::formula::ToCivil(time_).second; }

TIMEDATE LNDatetime::GetTimedate() const {
  TIMEDATE timedate{};
  if (!quendral::platform::values::ToTimedate(time_, &timedate)) {
    return TIMEDATE{};
  }
  return timedate;
}

LNString LNDatetime::GetText() const {
  return LNString(quendral::platform::formula::FormatDateTime(time_));
}
