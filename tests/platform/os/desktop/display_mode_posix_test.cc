// The primary screen and the display's current mode, on the X display.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "platform/os/desktop/display_mode.h"

namespace quendral::os {
namespace {

// Needs an X display (run the tests under xvfb-run); without one the
// screen measures nothing.
TEST(MachineDisplay, ModeOfTheDisplayOrNone) {
  DisplayMode mode;
  const ScreenSize screen = PrimaryScreenSize();
  if (std::getenv("DISPLAY") == nullptr) {
    EXPECT_FALSE(ReadDisplayMode(&mode));
    EXPECT_EQ(screen.width, 0);
    EXPECT_EQ(screen.height, 0);
    return;
  }
  ASSERT_TRUE(ReadDisplayMode(&mode));
  EXPECT_GT(mode.bits_per_pixel, 0U);
  EXPECT_EQ(mode.width, static_cast<std::uint32_t>(screen.width));
  EXPECT_EQ(mode.height, static_cast<std::uint32_t>(screen.height));
}

}  // namespace
}  // namespace quendral::os
