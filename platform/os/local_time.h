// Breaking the calendar time down into the local time zone's fields.
//
// On Windows this is the C runtime's localtime_s, elsewhere localtime_r; both
// fill the caller's structure instead of a shared one. The time zone is read
// from TZ (else the system's setting) once; ReloadTimeZone reads it again.
#ifndef QUENDRAL_PLATFORM_OS_LOCAL_TIME_H_
#define QUENDRAL_PLATFORM_OS_LOCAL_TIME_H_

#include <ctime>

namespace quendral::os {

// False when `seconds` cannot be represented as a local time.
bool LocalTimeFields(std::time_t seconds, std::tm* fields);

// Takes up a change of TZ: tzset, or the C runtime's _tzset on Windows.
void ReloadTimeZone();

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_LOCAL_TIME_H_
