#include "platform/os/desktop/display_mode.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

ScreenSize PrimaryScreenSize() {
  return ScreenSize{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

bool ReadDisplayMode(DisplayMode* mode) {
  DEVMODEA settings{};
  settings.dmSize = sizeof settings;
  if (!::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &settings)) {
    return false;
  }
  *mode = DisplayMode{settings.dmBitsPerPel, settings.dmPelsWidth, settings.dmPelsHeight,
                      settings.dmDisplayFrequency};
  return true;
}

}  // namespace quendral::os
