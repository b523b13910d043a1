// Dates and times: building, adjusting and taking apart date-times, and the
// clock. Date-times are local wall-clock times without a zone; a date alone
// is its midnight, and a time alone lies on 1970-01-01.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/text_unicode.h"
#include "platform/notes/formula/zone.h"

namespace quendral::platform::formula {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

template <typename Part>
bool MapCivil(Call& call, Value* result, Part part) {
  std::vector<DateTime> times;
  if (!call.EvaluateTimes(0, &times)) {
    return false;
  }
  std::vector<double> parts;
  parts.reserve(times.size());
  for (DateTime time : times) {
    parts.push_back(part(ToCivil(time)));
  }
  *result = Value::Numbers(std::move(parts));
  return true;
}

std::int64_t DayOf(DateTime time) {
  return time.seconds >= 0 ? time.seconds / kSecondsPerDay
                           : -((-time.seconds + kSecondsPerDay - 1) / kSecondsPerDay);
}

// The midnight that begins the day of `time` on its own clock, in its zone:
// in an export's audit @Today is the local midnight, as the clock has it.
DateTime Midnight(DateTime time) { return DateTime{DayOf(time) * kSecondsPerDay, time.zone}; }

DateTime DaysLater(DateTime time, std::int64_t days) {
  time.seconds += days * kSecondsPerDay;
  return time;
}

// The first elements of `count` number arguments from `first` on.
bool EvaluateParts(Call& call, std::size_t first, std::size_t count, std::vector<int>* parts) {
  for (std::size_t i = first; i < first + count; ++i) {
    double number = 0;
    if (!call.EvaluateNumber(i, &number)) {
      return false;
    }
    if (!(std::fabs(number) < 1e9)) {
      return call.Fail("argument " + std::to_string(i + 1) + " is out of range");
    }
    parts->push_back(static_cast<int>(number));
  }
  return true;
}

// "M/D/YYYY", optionally followed by "H:MM[:SS]" and "AM" or "PM".
bool ParseSlashedDateTime(std::string_view text, DateTime* time) {
  CivilTime civil;
  char slash1 = 0;
  char slash2 = 0;
  const std::string copy(text);
  int used = 0;
  if (std::sscanf(copy.c_str(), "%d%c%d%c%d%n", &civil.month, &slash1, &civil.day, &slash2,
                  &civil.year, &used) != 5 ||
      slash1 != '/' || slash2 != '/' || civil.month < 1 || civil.month > 12 || civil.day < 1 ||
      civil.day > 31) {
    return false;
  }
  std::string rest = ToUpperText(copy.substr(static_cast<std::size_t>(used)));
  int read = std::sscanf(rest.c_str(), " %d:%d:%d", &civil.hour, &civil.minute, &civil.second);
  if (read == 1 || civil.hour > 23 || civil.minute > 59 || civil.second > 59) {
    return false;
  }
  if (rest.find("PM") != std::string::npos && civil.hour < 12) {
    civil.hour += 12;
  } else if (rest.find("AM") != std::string::npos && civil.hour == 12) {
    civil.hour = 0;
  }
  *time = MakeDateTime(civil);
  return true;
}

// A date-time in the forms above or as @Text writes it, then, after a
// space, the name of its zone ("12/24/2026 10:00 AM EST",
// "2026-12-24T10:00:00 ZE5:30").
bool ParseDateTimeInZone(std::string_view text, DateTime* time) {
  const std::size_t space = text.find_last_of(' ');
  std::optional<Zone> zone;
  if (space != std::string_view::npos) {
    zone = ParseZoneName(text.substr(space + 1));
  }
  const std::string_view written = zone ? text.substr(0, space) : text;
  if (!ParseDateTime(written, time) && !ParseSlashedDateTime(written, time)) {
    return false;
  }
  if (zone) {
    time->zone = zone;
  }
  return true;
}

}  // namespace

// @Now, or @Now(keywords; servers): the server times it can ask for need a
// live server, unless [LocalTimeOnError] takes the local time when the
// server cannot give its own, as here it never can.
bool EvaluateNow(Call& call, Value* result) {
  std::vector<std::string> keywords;
  if (call.size() > 0 && !call.EvaluateTexts(0, &keywords)) {
    return false;
  }
  bool server = false;
  bool local_on_error = false;
  for (const std::string& keyword : keywords) {
    const std::string word = ToUpperText(keyword);
    if (word == "SERVERTIME" || word == "FIRSTSERVERTIME" || word == "LASTSERVERTIME") {
      server = true;
    } else if (word == "LOCALTIMEONERROR") {
      local_on_error = true;
    } else if (!word.empty()) {
      return call.Fail("unknown keyword [" + keyword + "]");
    }
  }
  if (server && !local_on_error) {
    return call.Fail("[SERVERTIME] needs a live server");
  }
  *result = Value::Time(call.environment().Now());
  return true;
}

bool EvaluateToday(Call& call, Value* result) {
  *result = Value::Time(Midnight(call.environment().Now()));
  return true;
}

bool EvaluateTomorrow(Call& call, Value* result) {
  *result = Value::Time(DaysLater(Midnight(call.environment().Now()), 1));
  return true;
}

bool EvaluateYesterday(Call& call, Value* result) {
  *result = Value::Time(DaysLater(Midnight(call.environment().Now()), -1));
  return true;
}

bool EvaluateYear(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.year; });
}

bool EvaluateMonth(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.month; });
}

bool EvaluateDay(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.day; });
}

bool EvaluateHour(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.hour; });
}

bool EvaluateMinute(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.minute; });
}

bool EvaluateSecond(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.second; });
}

// 1 for Sunday to 7 for Saturday.
bool EvaluateWeekday(Call& call, Value* result) {
  std::vector<DateTime> times;
  if (!call.EvaluateTimes(0, &times)) {
    return false;
  }
  std::vector<double> days;
  days.reserve(times.size());
  for (DateTime time : times) {
    days.push_back(Weekday(time));
  }
  *result = Value::Numbers(std::move(days));
  return true;
}

// @Date(date-time): its date; @Date(year; month; day[; hour; minute;
// second]): that date, the time ignored.
bool EvaluateDate(Call& call, Value* result) {
  if (call.size() == 1) {
    std::vector<DateTime> times;
    if (!call.EvaluateTimes(0, &times)) {
      return false;
    }
    std::transform(times.begin(), times.end(), times.begin(), Midnight);
    *result = Value::Times(std::move(times));
    return true;
  }
  if (call.size() != 3 && call.size() != 6) {
    return call.Fail("takes a date-time, or three or six numbers");
  }
  std::vector<int> parts;
  if (!EvaluateParts(call, 0, 3, &parts)) {
    return false;
  }
  *result = Value::Time(MakeDateTime({parts[0], parts[1], parts[2], 0, 0, 0}));
  return true;
}

// @Time(date-time): its time; @Time(hour; minute; second): that time;
// @Time(year; month; day; hour; minute; second): that date-time.
bool EvaluateTime(Call& call, Value* result) {
  if (call.size() == 1) {
    std::vector<DateTime> times;
    if (!call.EvaluateTimes(0, &times)) {
      return false;
    }
    for (DateTime& time : times) {
      time.seconds -= Midnight(time).seconds;
      time.zone.reset();  // a time of day alone names no moment to place in a zone
    }
    *result = Value::Times(std::move(times));
    return true;
  }
  if (call.size() != 3 && call.size() != 6) {
    return call.Fail("takes a date-time, or three or six numbers");
  }
  std::vector<int> parts;
  if (!EvaluateParts(call, 0, call.size(), &parts)) {
    return false;
  }
  *result =
      Value::Time(call.size() == 3
                      ? MakeDateTime({1970, 1, 1, parts[0], parts[1], parts[2]})
                      : MakeDateTime({parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]}));
  return true;
}

// @Adjust(date-time; years; months; days; hours; minutes; seconds): months
// past a year's end carry into the year, days past a month's end into the
// next month.
bool EvaluateAdjust(Call& call, Value* result) {
  std::vector<DateTime> times;
  std::vector<int> parts;
  if (!call.EvaluateTimes(0, &times) || !EvaluateParts(call, 1, 6, &parts)) {
    return false;
  }
  for (DateTime& time : times) {
    CivilTime civil = ToCivil(time);
    civil.year += parts[0];
    civil.month += parts[1];
    civil.day += parts[2];
    civil.hour += parts[3];
    civil.minute += parts[4];
    civil.second += parts[5];
    time = DateTime{MakeDateTime(civil).seconds, time.zone};
  }
  *result = Value::Times(std::move(times));
  return true;
}

// @BusinessDays(starts; ends; weekdays excluded; dates excluded): the days
// from each start to its end, both included, that are neither.
bool EvaluateBusinessDays(Call& call, Value* result) {
  std::vector<DateTime> starts;
  std::vector<DateTime> ends;
  std::vector<double> weekdays;
  std::vector<DateTime> holidays;
  if (!call.EvaluateTimes(0, &starts) || !call.EvaluateTimes(1, &ends) ||
      (call.size() > 2 && !call.EvaluateNumbers(2, &weekdays)) ||
      (call.size() > 3 && !call.EvaluateTimes(3, &holidays))) {
    return false;
  }
  std::set<std::int64_t> excluded_days;
  for (DateTime holiday : holidays) {
    excluded_days.insert(DayOf(holiday));
  }
  std::vector<double> counts;
  const std::size_t pairs =
      starts.empty() || ends.empty() ? 0 : std::max(starts.size(), ends.size());
  for (std::size_t i = 0; i < pairs; ++i) {
    const std::int64_t first = DayOf(starts[std::min(i, starts.size() - 1)]);
    const std::int64_t last = DayOf(ends[std::min(i, ends.size() - 1)]);
    if (last - first > std::int64_t{366} * 1000) {
      return call.Fail("the span is too long");
    }
    double count = 0;
    for (std::int64_t day = first; day <= last; ++day) {
      const double weekday = Weekday(DateTime{day * kSecondsPerDay});
      const bool skipped = std::find(weekdays.begin(), weekdays.end(), weekday) != weekdays.end() ||
                           excluded_days.count(day) > 0;
      count += skipped ? 0 : 1;
    }
    counts.push_back(count);
  }
  *result = Value::Numbers(std::move(counts));
  return true;
}

// Texts in the forms "YYYY-MM-DD[THH:MM:SS]" and "M/D/YYYY [H:MM[:SS]
// [AM|PM]]", and "Today", "Tomorrow", "Yesterday".
bool EvaluateTextToTime(Call& call, Value* result) {
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  std::vector<DateTime> times;
  const DateTime today = Midnight(call.environment().Now());
  for (const std::string& text : texts) {
    const std::string word = ToUpperText(text);
    DateTime time;
    if (word == "TODAY" || word == "TOMORROW" || word == "YESTERDAY") {
      time = DaysLater(today, word == "TODAY" ? 0 : word == "TOMORROW" ? 1 : -1);
    } else if (!ParseDateTime(text, &time) && !ParseDateTimeInZone(text, &time)) {
      return call.Fail("\"" + std::string(CharacterSlice(text, 0, 64)) + "\" is not a date-time");
    }
    times.push_back(time);
  }
  *result = Value::Times(std::move(times));
  return true;
}

}  // namespace quendral::platform::formula
