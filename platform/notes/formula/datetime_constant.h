// Date-time constants written in brackets: a date ("12/24/2026", month
// first, a two-digit year meaning 1950-2049), a time ("10:00", "10:00:30",
// "10:00 PM") or a date and a time. Compiled formulas keep them in one
// canonical text: "12/24/2026", "10:00:00" or "12/24/2026 10:00:00".
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_DATETIME_CONSTANT_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_DATETIME_CONSTANT_H_

#include <string>
#include <string_view>

#include "platform/notes/formula/value.h"

namespace quendral::platform::formula {

struct DateTimeConstant {
  bool has_date = false;
  bool has_time = false;
  CivilTime civil;  // the date part is 1970-01-01 when there is none
};

// False unless `text` (without the brackets) is a valid date, time or both.
bool ParseDateTimeConstant(std::string_view text, DateTimeConstant* constant);
std::string CanonicalText(const DateTimeConstant& constant);

// The constant's value: a time without a date falls on the day of `now`.
DateTime ValueOf(const DateTimeConstant& constant, DateTime now);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_DATETIME_CONSTANT_H_
