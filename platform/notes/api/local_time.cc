#include "platform/notes/api/local_time.h"

#include <optional>
#include <vector>

#include "platform/os/local_time.h"

namespace quendral::platform {
namespace {

constexpr std::time_t kSecondsPerDay = 86400;

formula::DateTime WallClock(const std::tm& fields) {
  return formula::MakeDateTime(formula::CivilTime{fields.tm_year + 1900, fields.tm_mon + 1,
                                                  fields.tm_mday, fields.tm_hour, fields.tm_min,
                                                  fields.tm_sec});
}

// How far the clock that gave `fields` for `seconds` runs ahead of GMT, to
// the nearest quarter hour the platform's zones are made of.
int OffsetMinutes(const std::tm& fields, std::time_t seconds) {
  const std::int64_t ahead = WallClock(fields).seconds - seconds;
  const std::int64_t quarters = (ahead >= 0 ? ahead + 450 : ahead - 450) / 900;
  return static_cast<int>(quarters * 15);
}

bool InDaylight(const std::tm& fields) { return fields.tm_isdst > 0; }

// The first second after `before` at which the clock's daylight flag is no
// longer what it was at `before`; `after` already has the other flag.
std::time_t FirstSecondChanged(LocalClock clock, std::time_t before, std::time_t after) {
  std::tm fields{};
  clock(before, &fields);
  const bool was = InDaylight(fields);
  while (after - before > 1) {
    const std::time_t middle = before + (after - before) / 2;
    if (!clock(middle, &fields)) {
      break;
    }
    (InDaylight(fields) == was ? before : after) = middle;
  }
  return after;
}

// The day of the clock's change at `seconds` as a rule names it: the
// weekday's week of its month, or -1 for the month's last such weekday. The
// day is the one the clock in force before the change shows at it, so that
// a change at midnight belongs to the day that begins there whichever way
// the clock turns.
formula::ZoneChange DayOfChange(LocalClock clock, std::time_t seconds) {
  std::tm fields{};
  clock(seconds - 1, &fields);
  const std::int64_t day = (WallClock(fields).seconds + 1) / kSecondsPerDay;
  const formula::CivilTime civil = formula::ToCivil(formula::DateTime{day * kSecondsPerDay});
  const bool last = civil.day + 7 > formula::DaysInMonth(civil.year, civil.month);
  return formula::ZoneChange{civil.month, last ? -1 : (civil.day - 1) / 7 + 1,
                             formula::Weekday(formula::DateTime{day * kSecondsPerDay})};
}

struct FlagChange {
  std::time_t at;
  bool to_daylight;
};

// What the clock shows over the year of `now`: its offset under each value
// of its daylight flag (the standard one preferably as it is at `now`) and
// the moments the flag changes.
struct YearOfClock {
  std::optional<int> standard;
  std::optional<int> daylight;
  std::vector<FlagChange> changes;
};

// One look a day, at noon GMT, from the first day of the year to the first
// of the next; each change of the flag is then found to the second.
YearOfClock ReadYear(std::time_t now, LocalClock clock) {
  YearOfClock seen;
  std::tm fields{};
  if (!clock(now, &fields)) {
    return seen;
  }
  (InDaylight(fields) ? seen.daylight : seen.standard) = OffsetMinutes(fields, now);
  const int year = fields.tm_year + 1900;
  const std::time_t first = formula::MakeDateTime({year, 1, 1, 12, 0, 0}).seconds;
  const std::time_t end = formula::MakeDateTime({year + 1, 1, 1, 12, 0, 0}).seconds;
  bool has_previous = false;
  std::time_t previous = 0;
  bool previous_daylight = false;
  for (std::time_t day = first; day <= end; day += kSecondsPerDay) {
    if (!clock(day, &fields)) {
      has_previous = false;
      continue;
    }
    std::optional<int>& offset = InDaylight(fields) ? seen.daylight : seen.standard;
    if (!offset) {
      offset = OffsetMinutes(fields, day);
    }
    if (has_previous && InDaylight(fields) != previous_daylight) {
      seen.changes.push_back({FirstSecondChanged(clock, previous, day), InDaylight(fields)});
    }
    has_previous = true;
    previous = day;
    previous_daylight = InDaylight(fields);
  }
  return seen;
}

}  // namespace

formula::DateTime CurrentZonedTime() {
  return LocalTimeOfClock(std::time(nullptr), os::LocalTimeFields, LocalZoneRule());
}

formula::DateTime LocalTimeOfClock(std::time_t seconds, LocalClock clock,
                                   const formula::ZoneRule& rule) {
  std::tm fields{};
  if (!clock(seconds, &fields)) {
    return {};
  }
  formula::DateTime time = WallClock(fields);
  const std::int64_t ahead = time.seconds - seconds;
  const int offset = static_cast<int>(ahead / 60);
  const bool daylight = rule.observes_daylight && offset == rule.minutes_east + 60;
  const int minutes_east = offset - (daylight ? 60 : 0);
  if (ahead % 60 == 0 && formula::IsZoneOffset(offset) && formula::IsZoneOffset(minutes_east)) {
    time.zone = formula::Zone{minutes_east, daylight};
  }
  return time;
}

formula::ZoneRule ZoneRuleOfClock(std::time_t now, LocalClock clock) {
  const YearOfClock year = ReadYear(now, clock);
  formula::ZoneRule rule;
  if (!year.standard && !year.daylight) {
    return rule;
  }
  if (!year.standard) {  // the flag never drops: the clock's offset is all there is
    rule.minutes_east = *year.daylight;
    return rule;
  }
  rule.minutes_east = *year.standard;
  if (!year.daylight) {
    return rule;
  }
  // Some zones flag their winter time as the daylight one, an hour behind
  // their summer time; the time an hour ahead is daylight time here.
  const bool flag_is_winter = *year.daylight < *year.standard;
  if (flag_is_winter) {
    rule.minutes_east = *year.daylight;
  }
  for (const FlagChange& change : year.changes) {
    std::optional<formula::ZoneChange>& day =
        change.to_daylight != flag_is_winter ? rule.daylight_begins : rule.daylight_ends;
    if (!day) {
      day = DayOfChange(clock, change.at);
    }
  }
  rule.observes_daylight = rule.daylight_begins && rule.daylight_ends;
  if (!rule.observes_daylight) {
    rule.daylight_begins.reset();
    rule.daylight_ends.reset();
  }
  return rule;
}

const formula::ZoneRule& LocalZoneRule() {
  static const formula::ZoneRule rule = ZoneRuleOfClock(std::time(nullptr), os::LocalTimeFields);
  return rule;
}

namespace internal {

formula::DateTime CurrentLocalTime() {
  std::tm local{};
  os::LocalTimeFields(std::time(nullptr), &local);
  return WallClock(local);
}

}  // namespace internal
}  // namespace quendral::platform
