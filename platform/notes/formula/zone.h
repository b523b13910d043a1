// Time zones: the rules a zone keeps over the year, the canonical zone text
// that names them ("Z=5$DO=1$DL=3 2 1 11 1 1$ZX=11$ZN=Eastern", as calendar
// items and @Zone give it), and the short names a date-time's text ends on
// ("EST", "CEDT", "ZE5:30").
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_ZONE_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_ZONE_H_

#include <optional>
#include <string>
#include <string_view>

#include "platform/notes/formula/value.h"

namespace quendral::platform::formula {

// A day on which daylight saving time begins or ends: the `week`th
// `weekday` (1 Sunday to 7 Saturday) of `month`, week -1 being the last.
// The clock changes at 02:00 of the time in force before the change.
struct ZoneChange {
  int month = 1;
  int week = 1;
  int weekday = 1;
  bool operator==(const ZoneChange&) const = default;
};

// A zone with its rules. In canonical text: "Z=" the standard offset in
// hours west of GMT (quarter hours as fractions, east negative), "DO=" 1
// when the zone observes daylight saving time, "DL=" the days it begins
// and ends (month, week, weekday each), "ZX=" and "ZN=" the zone's index
// and name in the platform's table of zones, kept as they stand.
struct ZoneRule {
  int minutes_east = 0;
  bool observes_daylight = false;
  std::optional<ZoneChange> daylight_begins;
  std::optional<ZoneChange> daylight_ends;
  std::string index;
  std::string name;
  bool operator==(const ZoneRule&) const = default;
};

// False, with the reason in `error`, for a text that is no canonical zone
// text. Fields it does not know are passed over.
bool ParseZoneText(std::string_view text, ZoneRule* rule, std::string* error);
std::string FormatZoneText(const ZoneRule& rule);

// Why a zone cannot place a time: it observes daylight saving time without
// saying on which days.
inline constexpr std::string_view kDaylightDaysUnknown =
    "the zone observes daylight saving time without saying on which days (\"DL=\")";

// The zone a time that carries none stands in under `rule`: the standard
// zone, or daylight saving time on the days the rule keeps it. Nothing when
// the rule does not say on which days.
std::optional<Zone> ZoneOfLocalTime(const ZoneRule& rule, std::int64_t wall_seconds);
// The moment `instant` (seconds since 1970 at GMT) on the clock of `rule`'s
// zone, carrying the zone it stands in there. Nothing as above.
std::optional<DateTime> InZone(const ZoneRule& rule, std::int64_t instant);

// Whether the zoned `time` is written in `rule`'s zone as it stands at that
// moment; false when the rule cannot tell.
bool WrittenInZone(const ZoneRule& rule, const DateTime& time);

// The short name of a zone: "GMT", the named zones of the platform's table
// ("EST", "EDT", "CET", "CEDT" …), else "ZE" or "ZW" and the offset from GMT
// ("ZE5:30", "ZW3").
std::string ZoneName(const Zone& zone);
// Reads a name ZoneName writes (in any case); nothing for any other text.
std::optional<Zone> ParseZoneName(std::string_view name);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_ZONE_H_
