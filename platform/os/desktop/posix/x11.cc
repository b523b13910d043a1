#include "platform/os/desktop/posix/x11.h"

#include "platform/os/library.h"

namespace quendral::os {

const X11Entries* X11() {
  static X11Entries entries;
  static const bool bound =
      BindLibrary("libX11.so.6", {{"XOpenDisplay", &entries.open_display},
                                  {"XCloseDisplay", &entries.close_display},
                                  {"XFlush", &entries.flush},
                                  {"XFree", &entries.free},
                                  {"XDefaultScreen", &entries.default_screen},
                                  {"XDefaultRootWindow", &entries.default_root_window},
                                  {"XDisplayWidth", &entries.display_width},
                                  {"XDisplayHeight", &entries.display_height},
                                  {"XDefaultDepth", &entries.default_depth},
                                  {"XListPixmapFormats", &entries.list_pixmap_formats},
                                  {"XDisplayKeycodes", &entries.display_key_codes},
                                  {"XGetKeyboardMapping", &entries.get_keyboard_mapping},
                                  {"XQueryTree", &entries.query_tree},
                                  {"XGetClassHint", &entries.get_class_hint}});
  return bound ? &entries : nullptr;
}

const XTestEntries* XTest() {
  static XTestEntries entries;
  static const bool bound =
      BindLibrary("libXtst.so.6", {{"XTestQueryExtension", &entries.query_extension},
                                   {"XTestFakeKeyEvent", &entries.fake_key_event}});
  return bound ? &entries : nullptr;
}

const RandrEntries* Randr() {
  static RandrEntries entries;
  static const bool bound =
      BindLibrary("libXrandr.so.2", {{"XRRQueryExtension", &entries.query_extension},
                                     {"XRRGetScreenInfo", &entries.get_screen_info},
                                     {"XRRConfigCurrentRate", &entries.current_rate},
                                     {"XRRFreeScreenConfigInfo", &entries.free_screen_info}});
  return bound ? &entries : nullptr;
}

}  // namespace quendral::os
