// Values of the formula language: lists of texts, numbers or date-times.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_VALUE_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_VALUE_H_

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendral::platform::formula {

// A time zone as a date-time carries it: the zone's standard offset east of
// GMT in minutes (whole quarter hours), and whether daylight saving time,
// one hour ahead of it, was in effect.
struct Zone {
  int minutes_east = 0;
  bool daylight = false;

  // How far the zone's wall clock runs ahead of GMT, daylight saving included.
  int OffsetMinutes() const { return minutes_east + (daylight ? 60 : 0); }
  bool operator==(const Zone&) const = default;
};

// How far from GMT a zone's clock can run, as the platform's date-times hold
// zones: fifteen hours and three quarters either way.
inline constexpr int kMaxZoneMinutes = 15 * 60 + 45;
// Whether a zone's clock can run `minutes` ahead of GMT: whole quarter hours
// within kMaxZoneMinutes.
bool IsZoneOffset(int minutes);

// The zone of a clock `offset` minutes ahead of GMT, daylight saving time
// included when `daylight`; nothing when no zone the platform holds is so.
std::optional<Zone> ZoneOfOffset(int offset, bool daylight);

// A wall-clock time to the second: seconds since 1970-01-01T00:00:00
// (negative before it) on the clock of its zone. Times the formula builds,
// and times stored without a zone, are the local time wherever the formula
// runs; times read from an export, or stored with a zone, carry the zone
// they were written in. Times compare by the moment they name, a time without a zone counting
// as GMT, so that every list of them sorts in one consistent order.
struct DateTime {
  std::int64_t seconds = 0;
  std::optional<Zone> zone = std::nullopt;

  // Seconds since 1970-01-01T00:00:00 GMT.
  std::int64_t Instant() const {
    return zone ? seconds - std::int64_t{zone->OffsetMinutes()} * 60 : seconds;
  }
  bool operator==(const DateTime& other) const { return Instant() == other.Instant(); }
  std::strong_ordering operator<=>(const DateTime& other) const {
    return Instant() <=> other.Instant();
  }
};

struct CivilTime {
  int year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  int hour = 0;   // 0-23
  int minute = 0;
  int second = 0;
};

DateTime MakeDateTime(const CivilTime& civil);
CivilTime ToCivil(DateTime time);
// The day of the week of the wall clock: 1 for Sunday to 7 for Saturday.
int Weekday(DateTime time);
// 28 to 31; `month` 1 to 12.
int DaysInMonth(int year, int month);

// "YYYY-MM-DDTHH:MM:SS", followed by the offset ("+01:00", "+00:00" for
// GMT) for a time that carries a zone. The offset includes daylight saving time,
// and " DST" after it says that it does.
std::string FormatDateTime(DateTime time);
// Accepts the forms FormatDateTime writes, and "YYYY-MM-DD"; false on
// anything else.
bool ParseDateTime(std::string_view text, DateTime* time);

// The shortest text that reads back as the same double ("1", "2.5", "0.1").
std::string FormatNumber(double number);

enum class ValueKind { kText, kNumber, kDateTime, kError };

// A list of values of one kind. An empty list is possible (e.g. a missing
// field read as text gives one empty text, but @Explode("") gives none).
// An error is a value too: it holds its message as its one text, passes
// through operators and functions unchanged, and can be stored in a
// variable and tested (@IsError, @IfError); a formula that ends on one
// fails with its message.
struct Value {
  ValueKind kind = ValueKind::kText;
  std::vector<std::string> texts;
  std::vector<double> numbers;
  std::vector<DateTime> datetimes;

  static Value Text(std::string text);
  static Value Texts(std::vector<std::string> texts);
  static Value Number(double number);
  static Value Numbers(std::vector<double> numbers);
  static Value Time(DateTime time);
  static Value Times(std::vector<DateTime> times);
  static Value Error(std::string message);

  bool IsError() const { return kind == ValueKind::kError; }
  // An error's message; "" for any other value.
  std::string_view ErrorMessage() const;

  std::size_t size() const;
  bool operator==(const Value&) const = default;
};

// Every element as text, numbers and date-times in the forms above; an
// error as its message.
std::vector<std::string> ValueAsTexts(const Value& value);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_VALUE_H_
