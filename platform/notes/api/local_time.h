// The local wall-clock time, as dates of notes and formulas use it, and the
// zone the operating system keeps it in.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LOCAL_TIME_H_
#define QUENDRAL_PLATFORM_NOTES_API_LOCAL_TIME_H_

#include <ctime>

#include "platform/notes/formula/value.h"
#include "platform/notes/formula/zone.h"

namespace quendral::platform {

// Breaks `seconds` into the fields of a local clock (os::LocalTimeFields);
// false when it cannot.
using LocalClock = bool (*)(std::time_t seconds, std::tm* fields);

// The local wall clock now, carrying the zone it stands in; without one when
// the local offset is not a zone the platform's date-times can hold.
formula::DateTime CurrentZonedTime();
// The time `clock` shows at `seconds` (since 1970 at GMT), carrying the zone
// it stands in under `rule`, the rule of that clock.
formula::DateTime LocalTimeOfClock(std::time_t seconds, LocalClock clock,
                                   const formula::ZoneRule& rule);

// The rules of the zone `clock` keeps, as they stand in the year of `now`:
// the standard offset, and the days daylight saving time begins and ends,
// found where the clock's daylight flag changes.
formula::ZoneRule ZoneRuleOfClock(std::time_t now, LocalClock clock);
// The operating system's local zone, read once per process.
const formula::ZoneRule& LocalZoneRule();

}  // namespace quendral::platform

namespace quendral::platform::internal {

// The local wall clock now, without a zone, as stored times carry it.
formula::DateTime CurrentLocalTime();

}  // namespace quendral::platform::internal

#endif  // QUENDRAL_PLATFORM_NOTES_API_LOCAL_TIME_H_
