#include "dxl/datetime_text.h"

#include <cctype>
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

// Nothing, "Z", or a sign and hh, hhmm or hh:mm.
bool IsOffset(std::string_view rest) {
  if (rest.empty() || rest == "Z") {
    return true;
  }
  if (rest[0] != '+' && rest[0] != '-') {
    return false;
  }
  std::string digits(rest.substr(1));
  if (digits.size() == 5 && digits[2] == ':') {
    digits.erase(2, 1);
  }
  if (digits.size() != 2 && digits.size() != 4) {
    return false;
  }
  for (const char c : digits) {
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool ParseDateTimeText(std::string_view text, platform::formula::DateTime* time) {
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
  if (position < text.size() && text[position] == 'T') {
    ++position;
    if (!ReadTime(text, &position, &civil)) {
      return false;
    }
  } else if (position == 0) {
    return false;
  }
  if (!IsOffset(text.substr(position))) {
    return false;
  }
  *time = platform::formula::MakeDateTime(civil);
  return true;
}

}  // namespace quendral::dxl
