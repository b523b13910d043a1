// Time zones: the zone of a time or of the local clock as canonical zone
// text, such a text for people to read, and a time on another zone's clock.
#include <cstdio>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/text_format.h"
#include "platform/notes/formula/text_unicode.h"
#include "platform/notes/formula/zone.h"

namespace quendral::platform::formula {
namespace {

// The zone `time` was written in. A time on the local clock, or one in the
// local zone, has the local zone with its rules; any other zone is known
// only by its offset and whether daylight saving time was in effect.
ZoneRule ZoneOfTime(const DateTime& time, const ZoneRule& local) {
  if (!time.zone) {
    return local;
  }
  if (WrittenInZone(local, time)) {
    return local;
  }
  ZoneRule rule;
  rule.minutes_east = time.zone->minutes_east;
  rule.observes_daylight = time.zone->daylight;
  return rule;
}

bool EvaluateZoneRule(Call& call, std::size_t index, ZoneRule* rule) {
  std::string text;
  std::string error;
  if (!call.EvaluateText(index, &text)) {
    return false;
  }
  return ParseZoneText(text, rule, &error) || call.Fail(error);
}

// "(GMT-05:00) Eastern": the offset of standard time, and the zone's name
// when the text has one.
std::string ReadableZone(const ZoneRule& rule) {
  const int magnitude = rule.minutes_east < 0 ? -rule.minutes_east : rule.minutes_east;
  char offset[24];
  std::snprintf(offset, sizeof offset, "(GMT%c%02d:%02d)", rule.minutes_east < 0 ? '-' : '+',
                magnitude / 60, magnitude % 60);
  return rule.name.empty() ? offset : std::string(offset) + " " + rule.name;
}

// The moment a time names: one without a zone is on the local clock.
bool InstantOf(Call& call, const DateTime& time, const ZoneRule& local, std::int64_t* instant) {
  if (time.zone) {
    *instant = time.Instant();
    return true;
  }
  const std::optional<Zone> zone = ZoneOfLocalTime(local, time.seconds);
  if (!zone) {
    return call.Fail("the local " + std::string(kDaylightDaysUnknown));
  }
  *instant = time.seconds - std::int64_t{zone->OffsetMinutes()} * 60;
  return true;
}

}  // namespace

// @Zone: the local clock's zone; @Zone(time): the zone each time was
// written in.
bool EvaluateZone(Call& call, Value* result) {
  const ZoneRule local = call.environment().LocalZoneRule();
  if (call.size() == 0) {
    *result = Value::Text(FormatZoneText(local));
    return true;
  }
  std::vector<DateTime> times;
  if (!call.EvaluateTimes(0, &times)) {
    return false;
  }
  std::vector<std::string> texts;
  texts.reserve(times.size());
  for (const DateTime& time : times) {
    texts.push_back(FormatZoneText(ZoneOfTime(time, local)));
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

// @TimeZoneToText(zone text): "(GMT-05:00) Eastern"; with "S", the short
// name of the zone's standard time ("EST", "ZE5:30").
bool EvaluateTimeZoneToText(Call& call, Value* result) {
  std::vector<std::string> zones;
  std::string option;
  if (!call.EvaluateTexts(0, &zones) || (call.size() > 1 && !call.EvaluateText(1, &option))) {
    return false;
  }
  const std::string upper = ToUpperText(option);
  if (upper != "" && upper != "S") {
    return call.Fail("unknown option \"" + std::string(CharacterSlice(option, 0, 16)) + "\"");
  }
  std::vector<std::string> texts;
  for (const std::string& zone : zones) {
    ZoneRule rule;
    std::string error;
    if (!ParseZoneText(zone, &rule, &error)) {
      return call.Fail(error);
    }
    texts.push_back(upper == "S" ? ZoneName(Zone{rule.minutes_east, false}) : ReadableZone(rule));
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

// @TimeToTextInZone(time; zone text; format): each time on the zone's
// clock, written as @Text writes it with the zone as the local one; without
// a format, the date and time followed by the zone's name.
bool EvaluateTimeToTextInZone(Call& call, Value* result) {
  std::vector<DateTime> times;
  ZoneRule rule;
  std::string code = "Z2";
  if (!call.EvaluateTimes(0, &times) || !EvaluateZoneRule(call, 1, &rule) ||
      (call.size() > 2 && !call.EvaluateText(2, &code))) {
    return false;
  }
  const ZoneRule local = call.environment().LocalZoneRule();
  const DateTime now = call.environment().Now();
  std::vector<std::string> texts;
  for (const DateTime& time : times) {
    std::int64_t instant = 0;
    if (!InstantOf(call, time, local, &instant)) {
      return false;
    }
    const std::optional<DateTime> there = InZone(rule, instant);
    std::string text;
    if (!there) {
      return call.Fail(kDaylightDaysUnknown);
    }
    if (!FormatTimeWithCode(*there, code, now, rule, &text)) {
      return call.Fail(text);
    }
    texts.push_back(std::move(text));
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

}  // namespace quendral::platform::formula
