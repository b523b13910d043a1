#include "platform/os/display_mode.h"

#include <X11/Xlib.h>

#include "platform/os/library.h"

namespace quendral::os {
namespace {

// The few RandR calls needed, spelt out so that its headers are not needed.
struct ScreenConfiguration;
using RandrQueryExtension = Bool(Display*, int*, int*);
using RandrGetScreenInfo = ScreenConfiguration*(Display*, Window);
using RandrCurrentRate = short(ScreenConfiguration*);
using RandrFreeScreenInfo = void(ScreenConfiguration*);

template <typename Function>
Function* Entry(const LoadedLibrary& library, const char* name) {
  return reinterpret_cast<Function*>(library.Find(name));
}

// Loaded once and kept: closing a display calls back into RandR's library
// when RandR was used on it, and unloading and loading the libraries again
// is not reliable.
const LoadedLibrary& X11Library() {
  static const LoadedLibrary library("libX11.so.6");
  return library;
}

const LoadedLibrary& RandrLibrary() {
  static const LoadedLibrary library("libXrandr.so.2");
  return library;
}

// An open connection to the display $DISPLAY names.
class XDisplay {
 public:
  XDisplay() {
    auto* open_display = Entry<decltype(XOpenDisplay)>(x11(), "XOpenDisplay");
    close_display_ = Entry<decltype(XCloseDisplay)>(x11(), "XCloseDisplay");
    if (open_display != nullptr && close_display_ != nullptr) {
      display_ = open_display(nullptr);
    }
  }
  ~XDisplay() {
    if (display_ != nullptr) {
      close_display_(display_);
    }
  }
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  Display* get() const { return display_; }
  const LoadedLibrary& x11() const { return X11Library(); }
  const LoadedLibrary& randr() const { return RandrLibrary(); }

 private:
  decltype(&XCloseDisplay) close_display_ = nullptr;
  Display* display_ = nullptr;
};

bool ReadScreenSize(const XDisplay& display, ScreenSize* size) {
  auto* default_screen = Entry<decltype(XDefaultScreen)>(display.x11(), "XDefaultScreen");
  auto* width = Entry<decltype(XDisplayWidth)>(display.x11(), "XDisplayWidth");
  auto* height = Entry<decltype(XDisplayHeight)>(display.x11(), "XDisplayHeight");
  if (display.get() == nullptr || default_screen == nullptr || width == nullptr ||
      height == nullptr) {
    return false;
  }
  const int screen = default_screen(display.get());
  *size = ScreenSize{width(display.get(), screen), height(display.get(), screen)};
  return true;
}

// Bits per pixel of the pixmap format of the screen's default depth.
std::uint32_t BitsPerPixel(const XDisplay& display) {
  auto* default_screen = Entry<decltype(XDefaultScreen)>(display.x11(), "XDefaultScreen");
  auto* default_depth = Entry<decltype(XDefaultDepth)>(display.x11(), "XDefaultDepth");
  auto* list_formats = Entry<decltype(XListPixmapFormats)>(display.x11(), "XListPixmapFormats");
  auto* free = Entry<decltype(XFree)>(display.x11(), "XFree");
  if (default_screen == nullptr || default_depth == nullptr || list_formats == nullptr ||
      free == nullptr) {
    return 0;
  }
  const int depth = default_depth(display.get(), default_screen(display.get()));
  int count = 0;
  XPixmapFormatValues* formats = list_formats(display.get(), &count);
  std::uint32_t bits = static_cast<std::uint32_t>(depth);
  for (int i = 0; formats != nullptr && i < count; ++i) {
    if (formats[i].depth == depth) {
      bits = static_cast<std::uint32_t>(formats[i].bits_per_pixel);
    }
  }
  if (formats != nullptr) {
    free(formats);
  }
  return bits;
}

// The current configuration's refresh rate; 0 without RandR.
std::uint32_t RefreshRate(const XDisplay& display) {
  const LoadedLibrary& randr = display.randr();
  auto* query_extension = Entry<RandrQueryExtension>(randr, "XRRQueryExtension");
  auto* get_screen_info = Entry<RandrGetScreenInfo>(randr, "XRRGetScreenInfo");
  auto* current_rate = Entry<RandrCurrentRate>(randr, "XRRConfigCurrentRate");
  auto* free_screen_info = Entry<RandrFreeScreenInfo>(randr, "XRRFreeScreenConfigInfo");
  auto* root_window = Entry<decltype(XDefaultRootWindow)>(display.x11(), "XDefaultRootWindow");
  int event_base = 0;
  int error_base = 0;
  if (query_extension == nullptr || get_screen_info == nullptr || current_rate == nullptr ||
      free_screen_info == nullptr || root_window == nullptr ||
      !query_extension(display.get(), &event_base, &error_base)) {
    return 0;
  }
  ScreenConfiguration* configuration = get_screen_info(display.get(), root_window(display.get()));
  if (configuration == nullptr) {
    return 0;
  }
  const short rate = current_rate(configuration);
  free_screen_info(configuration);
  return rate > 0 ? static_cast<std::uint32_t>(rate) : 0;
}

}  // namespace

ScreenSize PrimaryScreenSize() {
  const XDisplay display;
  ScreenSize size;
  ReadScreenSize(display, &size);
  return size;
}

bool ReadDisplayMode(DisplayMode* mode) {
  const XDisplay display;
  ScreenSize size;
  if (!ReadScreenSize(display, &size)) {
    return false;
  }
  *mode = DisplayMode{BitsPerPixel(display), static_cast<std::uint32_t>(size.width),
                      static_cast<std::uint32_t>(size.height), RefreshRate(display)};
  return true;
}

}  // namespace quendral::os
