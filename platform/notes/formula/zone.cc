#include "platform/notes/formula/zone.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/notes/formula/text_unicode.h"

namespace quendral::platform::formula {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kChangeHour = std::int64_t{2} * 3600;

struct NamedZone {
  const char* name;
  Zone zone;
};

// The zones the platform writes by name; every other zone is written by its
// offset.
constexpr std::array<NamedZone, 21> kNamedZones = {{
    {"GMT", {0, false}},    {"BST", {0, true}},    {"CET", {60, false}},   {"CEDT", {60, true}},
    {"EET", {120, false}},  {"EEDT", {120, true}}, {"NST", {-210, false}}, {"NDT", {-210, true}},
    {"AST", {-240, false}}, {"ADT", {-240, true}}, {"EST", {-300, false}}, {"EDT", {-300, true}},
    {"CST", {-360, false}}, {"CDT", {-360, true}}, {"MST", {-420, false}}, {"MDT", {-420, true}},
    {"PST", {-480, false}}, {"PDT", {-480, true}}, {"YST", {-540, false}}, {"YDT", {-540, true}},
    {"HST", {-600, false}},
}};

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return value % divisor < 0 ? quotient - 1 : quotient;
}

// The first second of the day of `change` in `year`, on any one clock.
std::int64_t ChangeDay(const ZoneChange& change, int year) {
  const std::int64_t first = MakeDateTime({year, change.month, 1, 0, 0, 0}).seconds;
  const std::int64_t first_day = FloorDivide(first, kSecondsPerDay);
  std::int64_t day = first_day + (change.weekday - Weekday(DateTime{first}) + 7) % 7;
  if (change.week > 0) {
    day += std::int64_t{7} * (change.week - 1);
  } else {
    const std::int64_t next_month =
        FloorDivide(MakeDateTime({year, change.month + 1, 1, 0, 0, 0}).seconds, kSecondsPerDay);
    while (day + 7 < next_month) {
      day += 7;
    }
  }
  return day * kSecondsPerDay;
}

// Whether `seconds` on the standard clock of the rule's zone lies in
// daylight saving time. It begins at 02:00 standard time and ends at 02:00
// daylight time, 01:00 standard time; south of the equator it spans the
// turn of the year.
bool InDaylight(const ZoneRule& rule, std::int64_t standard_seconds) {
  if (!rule.observes_daylight) {
    return false;
  }
  const int year = ToCivil(DateTime{standard_seconds}).year;
  const std::int64_t begins = ChangeDay(*rule.daylight_begins, year) + kChangeHour;
  const std::int64_t ends = ChangeDay(*rule.daylight_ends, year) + kChangeHour - 3600;
  return begins < ends ? standard_seconds >= begins && standard_seconds < ends
                       : standard_seconds >= begins || standard_seconds < ends;
}

bool KnowsDaylightDays(const ZoneRule& rule) {
  return !rule.observes_daylight || (rule.daylight_begins && rule.daylight_ends);
}

bool ReadInteger(std::string_view text, int* number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseChanges(std::string_view text, ZoneRule* rule) {
  std::vector<int> numbers;
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    int number = 0;
    if (!ReadInteger(text.substr(0, space), &number)) {
      return false;
    }
    numbers.push_back(number);
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
  }
  if (numbers.size() != 6) {
    return false;
  }
  for (std::size_t i = 0; i < 6; i += 3) {
    const ZoneChange change{numbers[i], numbers[i + 1], numbers[i + 2]};
    if (change.month < 1 || change.month > 12 || change.week == 0 || change.week < -1 ||
        change.week > 5 || change.weekday < 1 || change.weekday > 7) {
      return false;
    }
    (i == 0 ? rule->daylight_begins : rule->daylight_ends) = change;
  }
  return true;
}

bool ParseHoursWest(std::string_view text, int* minutes_east) {
  double hours = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), hours);
  if (error != std::errc() || end != text.data() + text.size() || !(std::fabs(hours) <= 16)) {
    return false;
  }
  const double minutes = -hours * 60;
  *minutes_east = static_cast<int>(std::lround(minutes));
  return *minutes_east == minutes && IsZoneOffset(*minutes_east);
}

bool ParseField(std::string_view key, std::string_view value, ZoneRule* rule, bool* has_offset) {
  const std::string upper = ToUpperText(key);
  if (upper == "Z") {
    *has_offset = true;
    return ParseHoursWest(value, &rule->minutes_east);
  }
  if (upper == "DO") {
    rule->observes_daylight = value == "1";
    return value == "0" || value == "1";
  }
  if (upper == "DL") {
    return ParseChanges(value, rule);
  }
  if (upper == "ZX") {
    rule->index = value;
  } else if (upper == "ZN") {
    rule->name = value;
  }
  return true;  // fields of later versions are kept out of the way
}

std::string FormatChange(const ZoneChange& change) {
  return std::to_string(change.month) + " " + std::to_string(change.week) + " " +
         std::to_string(change.weekday);
}

}  // namespace

bool ParseZoneText(std::string_view text, ZoneRule* rule, std::string* error) {
  ZoneRule read;
  bool has_offset = false;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t dollar = rest.find('$');
    const std::string_view field = rest.substr(0, dollar);
    const std::size_t equals = field.find('=');
    if (equals == std::string_view::npos ||
        !ParseField(field.substr(0, equals), field.substr(equals + 1), &read, &has_offset)) {
      *error = "\"" + std::string(CharacterSlice(field, 0, 64)) + "\" is not part of a zone text";
      return false;
    }
    rest = dollar == std::string_view::npos ? std::string_view() : rest.substr(dollar + 1);
  }
  if (!has_offset) {
    *error = "a zone text needs its offset (\"Z=\")";
    return false;
  }
  *rule = std::move(read);
  return true;
}

std::string FormatZoneText(const ZoneRule& rule) {
  std::string text = "Z=" + FormatNumber(-rule.minutes_east / 60.0) +
                     "$DO=" + (rule.observes_daylight ? "1" : "0");
  if (rule.daylight_begins && rule.daylight_ends) {
    text += "$DL=" + FormatChange(*rule.daylight_begins) + " " + FormatChange(*rule.daylight_ends);
  }
  if (!rule.index.empty()) {
    text += "$ZX=" + rule.index;
  }
  if (!rule.name.empty()) {
    text += "$ZN=" + rule.name;
  }
  return text;
}

std::optional<Zone> ZoneOfLocalTime(const ZoneRule& rule, std::int64_t wall_seconds) {
  if (!KnowsDaylightDays(rule)) {
    return std::nullopt;
  }
  // On the local clock daylight saving time runs from 02:00 on the day it
  // begins to 02:00 on the day it ends; the hour that comes twice that day
  // is read as standard time.
  return Zone{rule.minutes_east,
              InDaylight(rule, wall_seconds - 3600) && InDaylight(rule, wall_seconds)};
}

std::optional<DateTime> InZone(const ZoneRule& rule, std::int64_t instant) {
  if (!KnowsDaylightDays(rule)) {
    return std::nullopt;
  }
  const std::int64_t standard = instant + std::int64_t{rule.minutes_east} * 60;
  const Zone zone{rule.minutes_east, InDaylight(rule, standard)};
  return DateTime{standard + (zone.daylight ? 3600 : 0), zone};
}

bool WrittenInZone(const ZoneRule& rule, const DateTime& time) {
  const std::optional<DateTime> there = InZone(rule, time.Instant());
  return time.zone && there && there->zone == time.zone;
}

std::string ZoneName(const Zone& zone) {
  for (const NamedZone& named : kNamedZones) {
    if (named.zone == zone) {
      return named.name;
    }
  }
  const int offset = zone.OffsetMinutes();
  if (offset == 0) {
    return "GMT";
  }
  const int magnitude = offset < 0 ? -offset : offset;
  std::string name = (offset < 0 ? "ZW" : "ZE") + std::to_string(magnitude / 60);
  if (magnitude % 60 != 0) {
    char minutes[8];
    std::snprintf(minutes, sizeof minutes, ":%02d", magnitude % 60);
    name += minutes;
  }
  return name;
}

std::optional<Zone> ParseZoneName(std::string_view name) {
  const std::string upper = ToUpperText(name);
  for (const NamedZone& named : kNamedZones) {
    if (upper == named.name) {
      return named.zone;
    }
  }
  if (upper == "UTC") {
    return Zone{};
  }
  if (upper.size() < 3 || upper[0] != 'Z' || (upper[1] != 'E' && upper[1] != 'W')) {
    return std::nullopt;
  }
  const std::string_view offset = std::string_view(upper).substr(2);
  const std::size_t colon = offset.find(':');
  int hours = 0;
  int minutes = 0;
  if (!ReadInteger(offset.substr(0, colon), &hours) || hours < 0 ||
      (colon != std::string_view::npos &&
       (offset.size() != colon + 3 || !ReadInteger(offset.substr(colon + 1), &minutes) ||
        minutes < 0 || minutes > 59))) {
    return std::nullopt;
  }
  const int minutes_east = (upper[1] == 'W' ? -1 : 1) * (hours * 60 + minutes);
  if (!IsZoneOffset(minutes_east)) {
    return std::nullopt;
  }
  return Zone{minutes_east, false};
}

}  // namespace quendral::platform::formula
