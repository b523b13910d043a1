#include "platform/notes/formula/text_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace quendral::platform::formula {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Groups the digits before the point by thousands.
std::string Grouped(const std::string& digits) {
  const std::size_t point = std::min(digits.find_first_of(".eE"), digits.size());
  std::string grouped;
  for (std::size_t i = 0; i < point; ++i) {
    if (i > 0 && (point - i) % 3 == 0) {
      grouped += ',';
    }
    grouped += digits[i];
  }
  return grouped + digits.substr(point);
}

std::int64_t DayOf(DateTime time) {
  return time.seconds >= 0 ? time.seconds / kSecondsPerDay
                           : -((-time.seconds + kSecondsPerDay - 1) / kSecondsPerDay);
}

// The code's letter-digit pairs ("D1T0S2"); `fallback` when the letter is
// not there.
int Option(std::string_view code, char letter, int fallback) {
  for (std::size_t i = 0; i + 1 < code.size(); ++i) {
    if (Upper(code[i]) == letter && code[i + 1] >= '0' && code[i + 1] <= '9') {
      return code[i + 1] - '0';
    }
  }
  return fallback;
}

// Moves `time` to the clock the zone option asks for, and names the zone
// when it is to be shown: "Z0" the local clock, "Z1" the time's own clock,
// named when it is not the local zone, "Z2" the same, always named.
bool PlaceInZone(const ZoneRule& local, int option, DateTime* time, std::string* name) {
  if (option == 0) {
    if (time->zone) {
      const std::optional<DateTime> moved = InZone(local, time->Instant());
      if (!moved) {
        return false;
      }
      *time = *moved;
    }
    return true;
  }
  if (!time->zone) {
    if (option == 1) {
      return true;  // a time without a zone is on the local clock already
    }
    const std::optional<Zone> local_zone = ZoneOfLocalTime(local, time->seconds);
    if (!local_zone) {
      return false;
    }
    *name = ZoneName(*local_zone);
    return true;
  }
  // Naming a zone is never wrong, so a local zone that cannot tell names it.
  if (option == 2 || !WrittenInZone(local, *time)) {
    *name = ZoneName(*time->zone);
  }
  return true;
}

}  // namespace

std::string FormatNumberWithCode(double number, std::string_view code) {
  int digits = -1;
  char style = 'G';
  bool grouped = false;
  bool percent = false;
  bool parentheses = false;
  for (char c : code) {
    const char upper = Upper(c);
    if (upper == 'F' || upper == 'S' || upper == 'G' || upper == 'C') {
      style = upper;
    } else if (c >= '0' && c <= '9') {
      digits = std::min((digits < 0 ? 0 : digits * 10) + (c - '0'), 15);
    } else if (c == '%') {
      percent = true;
    } else if (c == ',') {
      grouped = true;
    } else if (c == '(' || c == ')') {
      parentheses = true;
    }
  }
  if (percent) {
    number *= 100;
  }
  if (style == 'C' && digits < 0) {
    digits = 2;
  }
  const bool negative = std::signbit(number) && number != 0;
  const double magnitude = std::fabs(number);
  std::string text;
  if (style == 'G' || digits < 0) {
    text = FormatNumber(magnitude);
  } else {
    std::array<char, 400> buffer{};
    const auto format = style == 'S' ? std::chars_format::scientific : std::chars_format::fixed;
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, format, digits);
    text.assign(buffer.data(), error == std::errc() ? end : buffer.data());
  }
  if (grouped && std::isfinite(magnitude)) {
    text = Grouped(text);
  }
  text = (style == 'C' ? "$" : "") + text + (percent ? "%" : "");
  if (!negative) {
    return text;
  }
  return parentheses ? "(" + text + ")" : "-" + text;
}

bool FormatTimeWithCode(DateTime time, std::string_view code, DateTime now, const ZoneRule& local,
                        std::string* text) {
  const int date = Option(code, 'D', 0);
  const int clock = Option(code, 'T', 0);
  const int show = Option(code, 'S', 2);
  const int zone = Option(code, 'Z', 0);
  if (date > 3 || clock > 1 || show > 3 || zone > 2) {
    *text = "unknown date-time format \"" + std::string(code) + "\"";
    return false;
  }
  std::string zone_name;
  if (!PlaceInZone(local, zone, &time, &zone_name)) {
    *text = kDaylightDaysUnknown;
    return false;
  }
  const CivilTime civil = ToCivil(time);
  char buffer[48];
  std::string date_text;
  if (date == 0 || (date == 1 && civil.year != ToCivil(now).year)) {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
  } else if (date == 3) {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d", civil.year, civil.month);
  } else {
    std::snprintf(buffer, sizeof buffer, "%02d-%02d", civil.month, civil.day);
  }
  date_text = buffer;
  if (show == 3) {
    const std::int64_t days = DayOf(time) - DayOf(now);
    date_text = days == 0 ? "Today" : days == -1 ? "Yesterday" : days == 1 ? "Tomorrow" : date_text;
  }
  std::snprintf(buffer, sizeof buffer, clock == 0 ? "%02d:%02d:%02d" : "%02d:%02d", civil.hour,
                civil.minute, civil.second);
  const std::string time_text = buffer;
  // Year, month and day with the time keep the one form every date-time
  // is written in elsewhere.
  const char* between = date == 0 && show == 2 && clock == 0 ? "T" : " ";
  *text = show == 0 ? date_text : show == 1 ? time_text : date_text + between + time_text;
  if (show != 0 && !zone_name.empty()) {
    *text += " " + zone_name;
  }
  return true;
}

}  // namespace quendral::platform::formula
