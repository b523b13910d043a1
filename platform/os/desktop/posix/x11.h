// The X11 client libraries, loaded when first needed so that nothing
// depends on them being installed, and kept for the rest of the process:
// closing a display calls back into RandR's library when RandR was used on
// it, and unloading and loading them again is not reliable.
#ifndef QUENDRAL_PLATFORM_OS_DESKTOP_POSIX_X11_H_
#define QUENDRAL_PLATFORM_OS_DESKTOP_POSIX_X11_H_

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace quendral::os {

struct X11Entries {
  decltype(&XOpenDisplay) open_display;
  decltype(&XCloseDisplay) close_display;
  decltype(&XFlush) flush;
  decltype(&XFree) free;
  decltype(&XDefaultScreen) default_screen;
  decltype(&XDefaultRootWindow) default_root_window;
  decltype(&XDisplayWidth) display_width;
  decltype(&XDisplayHeight) display_height;
  decltype(&XDefaultDepth) default_depth;
  decltype(&XListPixmapFormats) list_pixmap_formats;
  decltype(&XDisplayKeycodes) display_key_codes;
  decltype(&XGetKeyboardMapping) get_keyboard_mapping;
  decltype(&XQueryTree) query_tree;
  decltype(&XGetClassHint) get_class_hint;
};

// The keyboard events of the XTest extension.
struct XTestEntries {
  decltype(&XTestQueryExtension) query_extension;
  decltype(&XTestFakeKeyEvent) fake_key_event;
};

// The few RandR calls needed, spelt out so that its headers are not needed.
struct RandrScreenConfiguration;
struct RandrEntries {
  Bool (*query_extension)(Display*, int*, int*);
  RandrScreenConfiguration* (*get_screen_info)(Display*, Window);
  short (*current_rate)(RandrScreenConfiguration*);
  void (*free_screen_info)(RandrScreenConfiguration*);
};

// Each is null when its library or one of the entries is missing.
const X11Entries* X11();
const XTestEntries* XTest();
const RandrEntries* Randr();

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DESKTOP_POSIX_X11_H_
