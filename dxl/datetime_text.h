// The date-time texts of exports: ISO 8601 basic form,
// "YYYYMMDDThhmmss,cc±zz", or its date-only and time-only variants.
#ifndef QUENDRAL_DXL_DATETIME_TEXT_H_
#define QUENDRAL_DXL_DATETIME_TEXT_H_

#include <string_view>

#include "platform/notes/formula/value.h"

namespace quendral::dxl {

// The wall-clock time the text writes, to the second, carrying the zone of
// its offset; a time without a date falls on 1970-01-01. The offset
// includes daylight saving time, which `daylight` (the element's dst
// attribute) says was in effect. Date-only and time-only texts, texts
// without an offset, and offsets no zone of the platform can have (not
// whole quarter hours, or beyond 15:45) give the wall-clock time without a
// zone. False for anything else.
bool ParseDateTimeText(std::string_view text, bool daylight, platform::formula::DateTime* time);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_DATETIME_TEXT_H_
