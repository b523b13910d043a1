// Relations between dates, and assignment.
#include "util/dates/datetime.h"

namespace quendral::util {

namespace {

bool Less(int a, int b) { return a < b; }
bool LessOrEqual(int a, int b) { return a <= b; }
bool Greater(int a, int b) { return a > b; }
bool GreaterOrEqual(int a, int b) { return a >= b; }
bool Equal(int a, int b) { return a == b; }
bool NotEqual(int a, int b) { return a != b; }

}  // namespace

bool DateTimeValue::Relates(int other_serial, bool (*holds)(int, int)) const {
  return IsValid() != 0 && holds(serial_, other_serial);
}

bool DateTimeValue::RelatesToText(const char* text, bool (*holds)(int, int)) const {
  const DateTimeValue other(text, kMonthDayYear);
  return other.IsValid() != 0 && Relates(other.serial_, holds);
}

bool DateTimeValue::operator<(const DateTimeValue& other) const {
  return Relates(other.serial_, Less);
}
bool DateTimeValue::operator<=(const DateTimeValue& other) const {
  return Relates(other.serial_, LessOrEqual);
}
bool DateTimeValue::operator>(const DateTimeValue& other) const {
  return Relates(other.serial_, Greater);
}
bool DateTimeValue::operator>=(const DateTimeValue& other) const {
  return Relates(other.serial_, GreaterOrEqual);
}
bool DateTimeValue::operator==(const DateTimeValue& other) const {
  return Relates(other.serial_, Equal);
}
bool DateTimeValue::operator!=(const DateTimeValue& other) const {
  return Relates(other.serial_, NotEqual);
}

bool DateTimeValue::operator<(const char* text) const { return RelatesToText(text, Less); }
bool DateTimeValue::operator<=(const char* text) const { return RelatesToText(text, LessOrEqual); }
bool DateTimeValue::operator>(const char* text) const { return RelatesToText(text, Greater); }
bool DateTimeValue::operator>=(const char* text) const {
  return RelatesToText(text, GreaterOrEqual);
}
bool DateTimeValue::operator==(const char* text) const { return RelatesToText(text, Equal); }
bool DateTimeValue::operator!=(const char* text) const { return RelatesToText(text, NotEqual); }

// An equal date is left alone, format code included. The time of day and the
// text buffer belong to the target and are never copied.
DateTimeValue& DateTimeValue::operator=(const DateTimeValue& other) {
  if (*this == other) {
    return *this;
  }
  year_ = other.year_;
  month_ = other.month_;
  day_ = other.day_;
  serial_ = other.serial_;
  format_code_ = other.format_code_;
  return *this;
}

}  // namespace quendral::util
