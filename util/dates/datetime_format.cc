// Date and time texts.
#include <algorithm>
#include <cstdio>
#include <string>

#include "util/dates/datetime.h"

namespace quendral::util {

namespace {

const char* const kShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
const char* const kShortMonthNames[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonthNames[13] = {"",        "January",  "February", "March",  "April",
                                         "May",     "June",     "July",     "August", "September",
                                         "October", "November", "December"};

// Every text built here is a few short numbers and names.
template <typename... Args>
std::string Print(const char* format, Args... args) {
  char buffer[64];
  const int written = std::snprintf(buffer, sizeof buffer, format, args...);
  return std::string(buffer,
                     static_cast<std::size_t>(std::clamp<int>(written, 0, sizeof buffer - 1)));
}

// Codes 0-2 print the year as year - 1900, so 2009 shows as 109 (not 09);
// years up to 99 print as they are.
int ShortYear(int year) { return year > 99 ? year - 1900 : year; }

}  // namespace

const char* DateTimeValue::FormatDate() {
  if (IsValid() == 0 || format_code_ < kMonthDayShortYear || format_code_ > kYearMonthDay) {
    return nullptr;
  }
  const bool short_year = format_code_ < kMonthDayYear;
  const int year = short_year ? ShortYear(year_) : year_;
  const int year_width = short_year ? 2 : 4;
  switch (format_code_ % 3) {
    case 0:
      text_ = Print("%02d/%02d/%0*d", month_, day_, year_width, year);
      break;
    case 1:
      text_ = Print("%02d/%02d/%0*d", day_, month_, year_width, year);
      break;
    default:
      text_ = Print("%0*d/%02d/%02d", year_width, year, month_, day_);
      break;
  }
  return text_.c_str();
}

const char* DateTimeValue::FormatDateShortNames() {
  return FormatNamed(kShortDayNames, kShortMonthNames);
}

const char* DateTimeValue::FormatDateLongNames() {
  return FormatNamed(kLongDayNames, kLongMonthNames);
}

const char* DateTimeValue::FormatNamed(const char* const* day_names,
                                       const char* const* month_names) {
  if (IsValid() == 0) {
    return nullptr;
  }
  text_ = Print("%s %s %02d %04d", day_names[DayOfWeek()], month_names[month_], day_, year_);
  return text_.c_str();
}

void DateTimeValue::FormatTime(std::string& out, int mode) { FillTimeText(out, mode, true); }

void DateTimeValue::FormatShortTime(std::string& out, int mode) { FillTimeText(out, mode, false); }

void DateTimeValue::FormatTimeToBuffer(char* buffer, int length, int mode) {
  CopyTimeText(buffer, length, mode, true);
}

void DateTimeValue::FormatShortTimeToBuffer(char* buffer, int length, int mode) {
  CopyTimeText(buffer, length, mode, false);
}

// The clock is read again on every call, so the text shows the time of the
// call, not of construction. Midnight and noon both show as 12.
void DateTimeValue::FillTimeText(std::string& out, int mode, bool with_seconds) {
  if (IsValid() == 0) {
    out.clear();
    return;
  }
  SetTimeNow();
  const char* suffix = mode != 1 ? "" : (after_noon_ != 0 ? "PM" : "AM");
  const int hour = hour12_ == 0 ? 12 : hour12_;
  out = with_seconds ? Print("%02d:%02d:%02d   %s", hour, minute_, second_, suffix)
                     : Print("%02d:%02d %s", hour, minute_, suffix);
}

// Exactly `length` bytes are written: the text, then zero bytes. A text of
// `length` characters or more is cut there and left unterminated.
void DateTimeValue::CopyTimeText(char* buffer, int length, int mode, bool with_seconds) {
  std::string text;
  FillTimeText(text, mode, with_seconds);
  if (buffer == nullptr || length <= 0) {
    return;
  }
  char* const end = buffer + length;
  char* const text_end =
      std::copy_n(text.begin(), std::min<std::size_t>(length, text.size()), buffer);
  std::fill(text_end, end, '\0');
}

}  // namespace quendral::util
