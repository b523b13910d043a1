#include "dxl/datetime_text.h"

#include <gtest/gtest.h>

#include <ctime>
#include <optional>

#include "dxl/document_environment.h"
#include "platform/notes/api/local_time.h"

namespace quendral::dxl {
namespace {

namespace formula = platform::formula;
using formula::Zone;

TEST(DateTimeText, KeepsTheWrittenOffsetAsTheZone) {
  const struct {
    const char* text;
    bool dst;
    formula::CivilTime wall;
    std::optional<Zone> zone;
  } cases[] = {
      {"20090602T164827,61+02", true, {2009, 6, 2, 16, 48, 27}, Zone{60, true}},
      {"20090602T164827,61+02", false, {2009, 6, 2, 16, 48, 27}, Zone{120, false}},
      {"20210619T150226,17-04", true, {2021, 6, 19, 15, 2, 26}, Zone{-300, true}},
      {"20090225T142307,00+00", false, {2009, 2, 25, 14, 23, 7}, Zone{0, false}},
      {"20090225T142307,00Z", false, {2009, 2, 25, 14, 23, 7}, Zone{0, false}},
      {"19990713T060306+0530", false, {1999, 7, 13, 6, 3, 6}, Zone{330, false}},
      {"19990713T060306-03:30", true, {1999, 7, 13, 6, 3, 6}, Zone{-270, true}},
      {"19990713T060306+1545", false, {1999, 7, 13, 6, 3, 6}, Zone{945, false}},
      // No offset, or one no zone can have: the wall clock alone.
      {"20090225T142307,00", false, {2009, 2, 25, 14, 23, 7}, std::nullopt},
      {"20090225T142307,00+0510", false, {2009, 2, 25, 14, 23, 7}, std::nullopt},
      {"20090225T142307,00+16", false, {2009, 2, 25, 14, 23, 7}, std::nullopt},
      {"20090225T142307,00+0575", false, {2009, 2, 25, 14, 23, 7}, std::nullopt},
      {"20090225T142307,00-1545", true, {2009, 2, 25, 14, 23, 7}, std::nullopt},
      // A date or a time alone is no moment and carries no zone.
      {"19750521", false, {1975, 5, 21, 0, 0, 0}, std::nullopt},
      {"19750521+02", true, {1975, 5, 21, 0, 0, 0}, std::nullopt},
      {"T060306,52+05", false, {1970, 1, 1, 6, 3, 6}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    formula::DateTime time;
    ASSERT_TRUE(ParseDateTimeText(c.text, c.dst, &time));
    EXPECT_EQ(time.seconds, formula::MakeDateTime(c.wall).seconds);
    EXPECT_EQ(time.zone, c.zone);
  }
}

TEST(DateTimeText, RejectsWhatIsNoDateTime) {
  for (const char* text : {"", "2009", "20091325", "20090225T14", "20090225T142307+5",
                           "20090225T142307,00+0a", "20090225T142307,00+02:3", "T", "x"}) {
    SCOPED_TRACE(text);
    formula::DateTime time;
    EXPECT_FALSE(ParseDateTimeText(text, false, &time));
  }
}

// The audit's clock is compared with the zoned times of exports: it names
// the moment it reads, in the local zone.
TEST(ExportClock, NowCarriesTheLocalZone) {
  const DocumentEnvironment environment(NoteFacts{}, {}, "Jane Doe");
  EXPECT_EQ(environment.LocalZoneRule(), platform::LocalZoneRule());
  const std::time_t before = std::time(nullptr);
  const formula::DateTime now = environment.Now();
  ASSERT_TRUE(now.zone.has_value());
  EXPECT_GE(now.Instant(), before);
  EXPECT_LE(now.Instant(), std::time(nullptr));
}

}  // namespace
}  // namespace quendral::dxl
