// The format codes of @Text for numbers and date-times.
//
// Numbers: "G" general, "F" fixed, "S" scientific, "C" currency (two places
// unless told), with the count of decimal places as digits, "," to group
// thousands, "%" for a percentage and "()" to put negative numbers in
// parentheses ("C,2" gives "$1,234.50"). Grouping and the currency sign
// follow the conventions of the language's own examples.
//
// Date-times: "D0" year, month and day, "D1" the same without the year when
// it is this year, "D2" month and day, "D3" year and month; "T0" hours,
// minutes and seconds, "T1" hours and minutes; "S0" the date only, "S1" the
// time only, "S2" both, "S3" both with "Today", "Yesterday" or "Tomorrow"
// in place of such a date; "Z0" the time on the local clock, without a zone,
// "Z1" the time on its own zone's clock, followed by the zone's name when
// that is not the local zone, "Z2" the same, always followed by the name.
// Dates read "YYYY-MM-DD", times "HH:MM:SS", as elsewhere.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_TEXT_FORMAT_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_TEXT_FORMAT_H_

#include <string>
#include <string_view>

#include "platform/notes/formula/value.h"
#include "platform/notes/formula/zone.h"

namespace quendral::platform::formula {

std::string FormatNumberWithCode(double number, std::string_view code);

// `local` is the zone of the local clock. False, with the reason in `text`,
// for an unknown code, or a zone that cannot place the time.
bool FormatTimeWithCode(DateTime time, std::string_view code, DateTime now, const ZoneRule& local,
                        std::string* text);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_TEXT_FORMAT_H_
