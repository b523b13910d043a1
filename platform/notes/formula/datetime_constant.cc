#include "platform/notes/formula/datetime_constant.h"

#include <cstdio>

#include "platform/base/ascii.h"

namespace quendral::platform::formula {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads 1 to `most` digits at `*offset`.
bool ReadNumber(std::string_view text, std::size_t* offset, std::size_t most, int* value) {
  std::size_t count = 0;
  *value = 0;
  while (*offset < text.size() && IsDigit(text[*offset]) && count < most) {
    *value = *value * 10 + (text[*offset] - '0');
    ++*offset;
    ++count;
  }
  return count > 0;
}

bool Expect(std::string_view text, std::size_t* offset, char c) {
  if (*offset < text.size() && text[*offset] == c) {
    ++*offset;
    return true;
  }
  return false;
}

void SkipSpaces(std::string_view text, std::size_t* offset) {
  while (*offset < text.size() && text[*offset] == ' ') {
    ++*offset;
  }
}

bool ReadDate(std::string_view text, std::size_t* offset, CivilTime* civil) {
  int month = 0;
  int day = 0;
  int year = 0;
  if (!ReadNumber(text, offset, 2, &month) || !Expect(text, offset, '/') ||
      !ReadNumber(text, offset, 2, &day) || !Expect(text, offset, '/')) {
    return false;
  }
  const std::size_t digits = *offset;
  if (!ReadNumber(text, offset, 4, &year)) {
    return false;
  }
  if (*offset - digits == 2) {
    year += year < 50 ? 2000 : 1900;
  } else if (*offset - digits != 4) {
    return false;
  }
  if (month < 1 || month > 12 || day < 1) {
    return false;
  }
  civil->year = year;
  civil->month = month;
  civil->day = day;
  return true;
}

bool ReadTime(std::string_view text, std::size_t* offset, CivilTime* civil) {
  int hour = 0;
  int minute = 0;
  int second = 0;
  if (!ReadNumber(text, offset, 2, &hour) || !Expect(text, offset, ':') ||
      !ReadNumber(text, offset, 2, &minute)) {
    return false;
  }
  if (Expect(text, offset, ':') && !ReadNumber(text, offset, 2, &second)) {
    return false;
  }
  SkipSpaces(text, offset);
  const std::string_view rest = text.substr(*offset);
  const bool am = rest.size() >= 2 && base::EqualsIgnoringAsciiCase(rest.substr(0, 2), "AM");
  const bool pm = rest.size() >= 2 && base::EqualsIgnoringAsciiCase(rest.substr(0, 2), "PM");
  if (am || pm) {
    if (hour < 1 || hour > 12) {
      return false;
    }
    hour = hour % 12 + (pm ? 12 : 0);
    *offset += 2;
  }
  if (hour > 23 || minute > 59 || second > 59) {
    return false;
  }
  civil->hour = hour;
  civil->minute = minute;
  civil->second = second;
  return true;
}

}  // namespace

bool ParseDateTimeConstant(std::string_view text, DateTimeConstant* constant) {
  *constant = DateTimeConstant();
  std::size_t offset = 0;
  SkipSpaces(text, &offset);
  // A date has '/' within its first three characters; a time ':'.
  const std::size_t slash = text.find('/', offset);
  const std::size_t colon = text.find(':', offset);
  if (slash != std::string_view::npos && (colon == std::string_view::npos || slash < colon)) {
    if (!ReadDate(text, &offset, &constant->civil)) {
      return false;
    }
    constant->has_date = true;
    SkipSpaces(text, &offset);
  }
  if (offset < text.size()) {
    if (!ReadTime(text, &offset, &constant->civil)) {
      return false;
    }
    constant->has_time = true;
    SkipSpaces(text, &offset);
  }
  if (offset != text.size() || (!constant->has_date && !constant->has_time)) {
    return false;
  }
  // A date that does not exist (02/30/2026) does not survive the round trip.
  return !constant->has_date || ToCivil(MakeDateTime(constant->civil)).day == constant->civil.day;
}

std::string CanonicalText(const DateTimeConstant& constant) {
  char buffer[32];
  std::string text;
  const CivilTime& c = constant.civil;
  if (constant.has_date) {
    std::snprintf(buffer, sizeof(buffer), "%02d/%02d/%04d", c.month, c.day, c.year);
    text = buffer;
  }
  if (constant.has_time) {
    std::snprintf(buffer, sizeof(buffer), "%s%02d:%02d:%02d", constant.has_date ? " " : "", c.hour,
                  c.minute, c.second);
    text += buffer;
  }
  return text;
}

DateTime ValueOf(const DateTimeConstant& constant, DateTime now) {
  CivilTime civil = constant.civil;
  if (!constant.has_date) {
    const CivilTime today = ToCivil(now);
    civil.year = today.year;
    civil.month = today.month;
    civil.day = today.day;
  }
  return MakeDateTime(civil);
}

}  // namespace quendral::platform::formula
