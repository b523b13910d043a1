#include "platform/os/desktop/window.h"

#include "platform/os/desktop/posix/x11.h"

namespace quendral::os {
namespace {

bool HasClass(const X11Entries& x11, Display* display, Window window,
              const std::string& class_name) {
  XClassHint hint{};
  if (x11.get_class_hint(display, window, &hint) == 0) {
    return false;
  }
  const bool same = hint.res_class != nullptr && class_name == hint.res_class;
  x11.free(hint.res_name);
  x11.free(hint.res_class);
  return same;
}

// What `visit` gives for the first child of `parent`, bottom of the stacking
// order first, for which it gives a window; 0 when it gives none.
template <typename Visit>
Window FirstChild(const X11Entries& x11, Display* display, Window parent, Visit visit) {
  Window root = 0;
  Window grandparent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (x11.query_tree(display, parent, &root, &grandparent, &children, &count) == 0) {
    return 0;
  }
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    found = visit(children[i]);
  }
  if (children != nullptr) {
    x11.free(children);
  }
  return found;
}

}  // namespace

WindowHandle FindTopLevelWindow(const std::string& class_name) {
  const X11Entries* entries = X11();
  if (entries == nullptr) {
    return 0;
  }
  const X11Entries& x11 = *entries;
  Display* display = x11.open_display(nullptr);
  if (display == nullptr) {
    return 0;
  }
  const auto matching = [&](Window window) -> Window {
    return HasClass(x11, display, window, class_name) ? window : 0;
  };
  const Window found =
      FirstChild(x11, display, x11.default_root_window(display), [&](Window top) -> Window {
        const Window own = matching(top);
        return own != 0 ? own : FirstChild(x11, display, top, matching);
      });
  x11.close_display(display);
  return found;
}

}  // namespace quendral::os
