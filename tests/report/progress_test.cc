// The progress line: what it says, and that it leaves nothing behind.
#include "report/progress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quendral::report {
namespace {

TEST(ProgressLine, TellsDoneTotalRateAndTimeLeft) {
  EXPECT_EQ(ProgressLine(0, 10000, 0), "0 of 10000 documents");
  EXPECT_EQ(ProgressLine(1200, 10000, 2), "1200 of 10000 documents, 600/s, 0:15 left");
  EXPECT_EQ(ProgressLine(1, 7201, 1), "1 of 7201 documents, 1/s, 2:00:00 left");
}

TEST(ProgressDisplay, DrawsOnlyWhenShownAndClearsItsLine) {
  std::ostringstream hidden, shown;
  {
    ProgressDisplay display(hidden, false);
    display.Update(1, 2);
  }
  EXPECT_EQ(hidden.str(), "");
  ProgressDisplay display(shown, true);
  display.Update(1, 2);
  const std::string drawn = shown.str();
  ASSERT_NE(drawn.find("1 of 2 documents"), std::string::npos);
  display.Finish();
  const std::string cleared = shown.str().substr(drawn.size());
  EXPECT_EQ(cleared, "\r" + std::string(drawn.size() - 1, ' ') + "\r");
  display.Update(2, 2);
  EXPECT_EQ(shown.str().size(), drawn.size() + cleared.size());
}

}  // namespace
}  // namespace quendral::report
