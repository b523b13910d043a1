#include "platform/os/desktop/display_mode.h"

#include "platform/os/desktop/posix/x11.h"

namespace quendral::os {
namespace {

// An open connection to the display $DISPLAY names.
class XDisplay {
 public:
  XDisplay() : x11_(X11()) {
    if (x11_ != nullptr) {
      display_ = x11_->open_display(nullptr);
    }
  }
  ~XDisplay() {
    if (display_ != nullptr) {
      x11_->close_display(display_);
    }
  }
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  Display* get() const { return display_; }
  // Not null while the display is open.
  const X11Entries& x11() const { return *x11_; }

 private:
  const X11Entries* x11_;
  Display* display_ = nullptr;
};

bool ReadScreenSize(const XDisplay& display, ScreenSize* size) {
  if (display.get() == nullptr) {
    return false;
  }
  const X11Entries& x11 = display.x11();
  const int screen = x11.default_screen(display.get());
  *size = ScreenSize{x11.display_width(display.get(), screen),
                     x11.display_height(display.get(), screen)};
  return true;
}

// Bits per pixel of the pixmap format of the screen's default depth.
std::uint32_t BitsPerPixel(const XDisplay& display) {
  const X11Entries& x11 = display.x11();
  const int depth = x11.default_depth(display.get(), x11.default_screen(display.get()));
  int count = 0;
  XPixmapFormatValues* formats = x11.list_pixmap_formats(display.get(), &count);
  std::uint32_t bits = static_cast<std::uint32_t>(depth);
  for (int i = 0; formats != nullptr && i < count; ++i) {
    if (formats[i].depth == depth) {
      bits = static_cast<std::uint32_t>(formats[i].bits_per_pixel);
    }
  }
  if (formats != nullptr) {
    x11.free(formats);
  }
  return bits;
}

// The current configuration's refresh rate; 0 without RandR.
std::uint32_t RefreshRate(const XDisplay& display) {
  const RandrEntries* randr = Randr();
  int event_base = 0;
  int error_base = 0;
  if (randr == nullptr || !randr->query_extension(display.get(), &event_base, &error_base)) {
    return 0;
  }
  RandrScreenConfiguration* configuration =
      randr->get_screen_info(display.get(), display.x11().default_root_window(display.get()));
  if (configuration == nullptr) {
    return 0;
  }
  const short rate = randr->current_rate(configuration);
  randr->free_screen_info(configuration);
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
