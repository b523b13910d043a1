// The primary screen's size and the display's current mode.
//
// On Windows these are GetSystemMetrics and EnumDisplaySettingsA. Elsewhere
// they come from the X display named by $DISPLAY, with libX11 and libXrandr
// loaded at run time: the size is that of the default screen, the colour
// depth the bits per pixel of the screen's default depth, and the refresh
// rate that of the current RandR configuration (0 when the server has no
// RandR). Without a display the screen measures 0 by 0 (as GetSystemMetrics
// reports on failure) and there is no mode.
#ifndef QUENDRAL_PLATFORM_OS_DESKTOP_DISPLAY_MODE_H_
#define QUENDRAL_PLATFORM_OS_DESKTOP_DISPLAY_MODE_H_

#include <cstdint>

namespace quendral::os {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

ScreenSize PrimaryScreenSize();

struct DisplayMode {
  std::uint32_t bits_per_pixel = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t frequency = 0;
};

// False when there is no display or its mode cannot be read.
bool ReadDisplayMode(DisplayMode* mode);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DESKTOP_DISPLAY_MODE_H_
