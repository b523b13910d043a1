#include "platform/notes/ln_datetime.h"

#include "platform/notes/item_values.h"

LNDatetime::LNDatetime(const TIMEDATE& timedate) : time_(notes::values::FromTimedate(timedate)) {}

int LNDatetime::GetYear() const { return notes::formula::ToCivil(time_).year; }
int LNDatetime::GetMonth() const { return notes::formula::ToCivil(time_).month; }
int LNDatetime::GetDay() const { return notes::formula::ToCivil(time_).day; }
int LNDatetime::GetHour() const { return notes::formula::ToCivil(time_).hour; }
int LNDatetime::GetMinute() const { return notes::formula::ToCivil(time_).minute; }
int LNDatetime::GetSecond() const { return notes::formula::ToCivil(time_).second; }

TIMEDATE LNDatetime::GetTimedate() const { return notes::values::ToTimedate(time_); }

LNString LNDatetime::GetText() const { return LNString(notes::formula::FormatDateTime(time_)); }
