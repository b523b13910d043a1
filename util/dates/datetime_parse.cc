// Reading date text in the field order of the format code.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "util/dates/datetime.h"
#include "util/text/tokenizer.h"

namespace quendral::util {

namespace {

// Leading blanks, an optional sign, then digits up to the first other
// character; no digits reads as 0. Out-of-range numbers saturate so that the
// date is merely invalid.
int ToNumber(const std::string& part) {
  const long value = std::strtol(part.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

}  // namespace

// Every separator ends a part, so "1//2009" has an empty (zero) day. Missing
// parts read as 0 and parts after the third are ignored.
int DateTimeValue::ParseDateText(const char* text, int& month, int& day, int& year) const {
  const TextTokenizer parts(text, "/.-", 0);
  const int first = ToNumber(parts.ItemAt(1));
  const int second = ToNumber(parts.ItemAt(2));
  const int third = ToNumber(parts.ItemAt(3));
  switch (format_code_) {
    case kMonthDayShortYear:
    case kMonthDayYear:
      month = first;
      day = second;
      year = third;
      break;
    case kDayMonthShortYear:
    case kDayMonthYear:
      day = first;
      month = second;
      year = third;
      break;
    case kShortYearMonthDay:
    case kYearMonthDay:
      year = first;
      month = second;
      day = third;
      break;
    default:
      month = day = year = 0;
      return 1;
  }
  // Two-digit years belong to the 1900s, whatever the format code.
  if (year < 100) {
    year += 1900;
  }
  return 1;
}

int DateTimeValue::SetFromText(const char* text) {
  return ParseDateText(text, month_, day_, year_);
}

DateTimeValue& DateTimeValue::operator=(const char* text) {
  SetFromText(text);
  serial_ = ComputeSerial();
  return *this;
}

}  // namespace quendral::util
