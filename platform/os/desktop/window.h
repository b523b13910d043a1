// Top-level windows of the desktop, found by their class.
//
// On Windows this is FindWindowA with no title. Elsewhere it is the X11
// display named by DISPLAY: the top-level windows are the children of the
// root window (and, under a window manager that wraps them in frames, the
// children of those frames), and a window's class is the class part of its
// WM_CLASS property. The X11 client library is loaded when first needed, so
// nothing depends on it being installed.
#ifndef QUENDRAL_PLATFORM_OS_DESKTOP_WINDOW_H_
#define QUENDRAL_PLATFORM_OS_DESKTOP_WINDOW_H_

#include <cstdint>
#include <string>

namespace quendral::os {

// A window: an HWND on Windows, an X11 window or one of our message windows
// (window_message.h) elsewhere. 0 is no window.
using WindowHandle = std::uintptr_t;

// A top-level window of class `class_name`, any title; 0 when there is none
// or no display can be reached.
WindowHandle FindTopLevelWindow(const std::string& class_name);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DESKTOP_WINDOW_H_
