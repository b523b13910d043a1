#include "dxl/datetime_text.h"

#include <cctype>
#include <optional>
#include <string>

namespace quendral::dxl {
namespace {

// Reads `count` digits at `*position` as a number.
bool ReadDigits(std::string_view text, std::size_t* position, std::size_t count, int* number) {
  if (*position + count > text.size()) {
    return false;
  }
  *number = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char c = text[*position + i];
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
      return false;
    }
    *number = *number * 10 + (c - '0');
  }
  *position += count;
  return true;
}

bool ReadTime(std::string_view text, std::size_t* position, platform::formula::CivilTime* civil) {
  if (!ReadDigits(text, position, 2, &civil->hour) ||
      !ReadDigits(text, position, 2, &civil->minute) ||
      !ReadDigits(text, position, 2, &civil->second)) {
    return false;
  }
  if (*position < text.size() && text[*position] == ',') {
    int hundredths = 0;
    ++*position;
    if (!ReadDigits(text, position, 2, &hundredths)) {
      return false;
    }
  }
  return civil->hour < 24 && civil->minute < 60 && civil->second < 60;
}

// Nothing, "Z", or a sign and hh, hhmm or hh:mm: the minutes the text's
// clock runs ahead of GMT in `minutes` (nothing for no offset, or one
// that names none).
bool ReadOffset(std::string_view rest, std::optional<int>* minutes) {
  minutes->reset();
  if (rest.empty()) {
    return true;
  }
  if (rest == "Z") {
    *minutes = 0;
    return true;
  }
  if (rest[0] != '+' && rest[0] != '-') {
    return false;
  }
  std::string digits(rest.substr(1));
  if (digits.size() == 5 && digits[2] == ':') {
    digits.erase(2, 1);
  }
  std::size_t position = 0;
  int hours = 0;
  int rest_minutes = 0;
  if ((digits.size() != 2 && digits.size() != 4) || !ReadDigits(digits, &position, 2, &hours) ||
      (digits.size() == 4 && !ReadDigits(digits, &position, 2, &rest_minutes))) {
    return false;
  }
  // Minutes past 59 are read, as ever, but name no offset.
  if (rest_minutes < 60) {
    *minutes = (rest[0] == '-' ? -1 : 1) * (hours * 60 + rest_minutes);
  }
  return true;
}

}  // namespace

bool ParseDateTimeText(std::string_view text, bool daylight, platform::formula::DateTime* time) {
  platform::formula::CivilTime civil;
  std::size_t position = 0;
  if (!text.empty() && text[0] != 'T') {
    if (!ReadDigits(text, &position, 4, &civil.year) ||
        !ReadDigits(text, &position, 2, &civil.month) ||
        !ReadDigits(text, &position, 2, &civil.day) || civil.month < 1 || civil.month > 12 ||
        civil.day < 1 || civil.day > 31) {
      return false;
    }
  }
  const bool has_date = position > 0;
  bool has_time = false;
  if (position < text.size() && text[position] == 'T') {
    has_time = true;
    ++position;
    if (!ReadTime(text, &position, &civil)) {
      return false;
    }
  } else if (position == 0) {
    return false;
  }
  std::optional<int> offset;
  if (!ReadOffset(text.substr(position), &offset)) {
    return false;
  }
  *time = platform::formula::MakeDateTime(civil);
  if (has_date && has_time && offset) {
    time->zone = platform::formula::ZoneOfOffset(*offset, daylight);
  }
  return true;
}

}  // namespace quendral::dxl
