// The date-time texts of exports: ISO 8601 basic form,
// "YYYYMMDDThhmmss,cc±zz", or its date-only and time-only variants.
#ifndef QUENDRAL_DXL_DATETIME_TEXT_H_
#define QUENDRAL_DXL_DATETIME_TEXT_H_

#include <string_view>

#include "platform/notes/formula/value.h"

namespace quendral::dxl {

// The wall-clock time the text writes, at its own offset (which is kept by
// the text and not applied), to the second; a time without a date falls on
// 1970-01-01. False for anything else.
bool ParseDateTimeText(std::string_view text, platform::formula::DateTime* time);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_DATETIME_TEXT_H_
