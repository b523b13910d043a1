#include "platform/os/variant.h"

#include <clocale>
#include <cmath>

#include "platform/os/posix/windows_1252.h"

namespace quendral::os {
namespace {

constexpr std::int64_t kCurrencyScale = 10000;
constexpr double kSecondsPerDay = 86400.0;
// 1 January 100 and 31 December 9999, the range OLE dates cover.
constexpr double kFirstDate = -657434.0;
constexpr double kLastDateEnd = 2958466.0;
// Days from 1 January 1970 back to 30 December 1899.
constexpr std::int64_t kDaysToVariantEpoch = -25569;

std::string DecimalPoint() {
  const char* point = std::localeconv()->decimal_point;
  return point != nullptr && *point != '\0' ? point : ".";
}

// The proleptic Gregorian date of a day counted from 1 January 1970.
void CivilFromDays(std::int64_t days, std::tm* fields) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const std::int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  fields->tm_year = static_cast<int>(year - 1900);
  fields->tm_mon = static_cast<int>(month - 1);
  fields->tm_mday = static_cast<int>(day);
  // 1 January 1970 was a Thursday.
  fields->tm_wday = static_cast<int>(((days - 719468) % 7 + 11) % 7);
}

}  // namespace

std::string CurrencyText(std::int64_t ten_thousandths) {
  const bool negative = ten_thousandths < 0;
  // Through unsigned arithmetic, so that the most negative value has a
  // magnitude too.
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(ten_thousandths)
                                           : static_cast<std::uint64_t>(ten_thousandths);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / kCurrencyScale);
  std::uint64_t fraction = magnitude % kCurrencyScale;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction + kCurrencyScale).substr(1);
    digits.erase(digits.find_last_not_of('0') + 1);
    text += DecimalPoint() + digits;
  }
  return text;
}

bool VariantDateFields(double date, std::tm* fields) {
  if (!(date >= kFirstDate && date < kLastDateEnd)) {
    return false;
  }
  const double whole_days = std::trunc(date);
  auto seconds =
      static_cast<std::int64_t>(std::llround(std::fabs(date - whole_days) * kSecondsPerDay));
  auto days = static_cast<std::int64_t>(whole_days);
  if (seconds >= static_cast<std::int64_t>(kSecondsPerDay)) {
    seconds -= static_cast<std::int64_t>(kSecondsPerDay);
    ++days;
  }
  *fields = std::tm{};
  CivilFromDays(days + kDaysToVariantEpoch, fields);
  if (fields->tm_year + 1900 > 9999) {
    return false;
  }
  fields->tm_hour = static_cast<int>(seconds / 3600);
  fields->tm_min = static_cast<int>(seconds / 60 % 60);
  fields->tm_sec = static_cast<int>(seconds % 60);
  return true;
}

std::string WideTextToMultibyte(const VariantWideChar* text) {
  std::string out;
  if (text == nullptr) {
    return out;
  }
  for (; *text != 0; ++text) {
    const char32_t unit = *text;
    // A surrogate pair is one character, and none the code page has.
    if (unit >= 0xD800 && unit <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF) {
      ++text;
    }
    out.push_back(UnicodeToWindows1252(unit).value_or('?'));
  }
  return out;
}

}  // namespace quendral::os
