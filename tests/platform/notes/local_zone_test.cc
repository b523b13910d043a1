#include <gtest/gtest.h>

#include <optional>

#include "platform/notes/api/local_time.h"
#include "platform/os/local_time.h"
#include "support/environment_override.h"

namespace quendral::platform {
namespace {

namespace formula = platform::formula;
using platform::LocalTimeOfClock;
using platform::ZoneRuleOfClock;

std::time_t At(int year, int month, int day, int hour) {
  return formula::MakeDateTime({year, month, day, hour, 0, 0}).seconds;
}

// Puts the process in the zone `name` for the life of the test.
class InZone {
 public:
  explicit InZone(const char* name) : zone_(std::in_place, "TZ", name) { os::ReloadTimeZone(); }
  ~InZone() {
    zone_.reset();
    os::ReloadTimeZone();
  }
  InZone(const InZone&) = delete;
  InZone& operator=(const InZone&) = delete;

  // Whether the C runtime takes zones by name from TZ: India is 05:30 ahead.
  static bool NamesWork() {
    InZone india("Asia/Kolkata");
    std::tm fields{};
    return os::LocalTimeFields(0, &fields) && fields.tm_hour == 5 && fields.tm_min == 30;
  }

 private:
  std::optional<fixtures::EnvironmentOverride> zone_;
};

std::optional<formula::ZoneChange> Day(int month, int week, int weekday) {
  return formula::ZoneChange{month, week, weekday};
}

TEST(LocalZone, RuleIsReadFromTheClock) {
  if (!InZone::NamesWork()) {
    GTEST_SKIP() << "this C runtime does not read zones by name from TZ";
  }
  const struct {
    const char* zone;
    int minutes_east;
    std::optional<formula::ZoneChange> begins, ends;
  } cases[] = {
      {"America/New_York", -300, Day(3, 2, 1), Day(11, 1, 1)},
      {"Europe/Berlin", 60, Day(3, -1, 1), Day(10, -1, 1)},
      {"Australia/Sydney", 600, Day(10, 1, 1), Day(4, 1, 1)},
      // Changes at midnight are named by the day that begins there.
      {"America/Santiago", -240, Day(9, 1, 1), Day(4, 1, 1)},
      {"Asia/Kolkata", 330, std::nullopt, std::nullopt},
      {"UTC", 0, std::nullopt, std::nullopt},
      // Winter time flagged as daylight time, an hour behind summer time.
      {"Europe/Dublin", 0, Day(3, -1, 1), Day(10, -1, 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zone);
    InZone zone(c.zone);
    for (const std::time_t now : {At(2026, 1, 15, 12), At(2026, 7, 1, 12)}) {
      const formula::ZoneRule rule = ZoneRuleOfClock(now, os::LocalTimeFields);
      EXPECT_EQ(rule.minutes_east, c.minutes_east);
      EXPECT_EQ(rule.observes_daylight, c.begins.has_value());
      EXPECT_EQ(rule.daylight_begins, c.begins);
      EXPECT_EQ(rule.daylight_ends, c.ends);
    }
  }
}

TEST(LocalZone, ClockTimeCarriesItsZone) {
  if (!InZone::NamesWork()) {
    GTEST_SKIP() << "this C runtime does not read zones by name from TZ";
  }
  const struct {
    const char* zone;
    std::time_t instant;
    int hour;
    formula::Zone expected;
  } cases[] = {
      {"America/New_York", At(2026, 1, 15, 17), 12, {-300, false}},
      {"America/New_York", At(2026, 7, 1, 16), 12, {-300, true}},
      {"Europe/Dublin", At(2026, 1, 15, 12), 12, {0, false}},
      {"Europe/Dublin", At(2026, 7, 1, 11), 12, {0, true}},
      {"Asia/Kolkata", At(2026, 7, 1, 6) + 1800, 12, {330, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zone);
    InZone zone(c.zone);
    const formula::ZoneRule rule = ZoneRuleOfClock(c.instant, os::LocalTimeFields);
    const formula::DateTime time = LocalTimeOfClock(c.instant, os::LocalTimeFields, rule);
    EXPECT_EQ(formula::ToCivil(time).hour, c.hour);
    EXPECT_EQ(time.zone, c.expected);
    EXPECT_EQ(time.Instant(), c.instant);
  }
}

}  // namespace
}  // namespace quendral::platform
