#include "platform/os/window.h"

#include "platform/os/library.h"

namespace quendral::os {
namespace {

// The few X11 client calls needed, with their types spelt out so that the
// X11 headers are not needed either.
using XDisplay = void;
using XWindow = unsigned long;
struct XClassHint {
  char* res_name;
  char* res_class;
};

struct X11 {
  XDisplay* (*open_display)(const char*);
  int (*close_display)(XDisplay*);
  XWindow (*default_root_window)(XDisplay*);
  int (*query_tree)(XDisplay*, XWindow, XWindow*, XWindow*, XWindow**, unsigned*);
  int (*get_class_hint)(XDisplay*, XWindow, XClassHint*);
  int (*free)(void*);
  bool complete;
};

template <typename Function>
void Bind(const LoadedLibrary& library, const char* name, Function* function, bool* complete) {
  *function = reinterpret_cast<Function>(library.Find(name));
  *complete = *complete && *function != nullptr;
}

const X11& LoadX11() {
  static const LoadedLibrary library("libX11.so.6");
  static const X11 x11 = [] {
    X11 bound{};
    bound.complete = library.loaded();
    Bind(library, "XOpenDisplay", &bound.open_display, &bound.complete);
    Bind(library, "XCloseDisplay", &bound.close_display, &bound.complete);
    Bind(library, "XDefaultRootWindow", &bound.default_root_window, &bound.complete);
    Bind(library, "XQueryTree", &bound.query_tree, &bound.complete);
    Bind(library, "XGetClassHint", &bound.get_class_hint, &bound.complete);
    Bind(library, "XFree", &bound.free, &bound.complete);
    return bound;
  }();
  return x11;
}

bool HasClass(const X11& x11, XDisplay* display, XWindow window, const std::string& class_name) {
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
XWindow FirstChild(const X11& x11, XDisplay* display, XWindow parent, Visit visit) {
  XWindow root = 0;
  XWindow grandparent = 0;
  XWindow* children = nullptr;
  unsigned count = 0;
  if (x11.query_tree(display, parent, &root, &grandparent, &children, &count) == 0) {
    return 0;
  }
  XWindow found = 0;
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
  const X11& x11 = LoadX11();
  if (!x11.complete) {
    return 0;
  }
  XDisplay* display = x11.open_display(nullptr);
  if (display == nullptr) {
    return 0;
  }
  const auto matching = [&](XWindow window) -> XWindow {
    return HasClass(x11, display, window, class_name) ? window : 0;
  };
  const XWindow found =
      FirstChild(x11, display, x11.default_root_window(display), [&](XWindow top) -> XWindow {
        const XWindow own = matching(top);
        return own != 0 ? own : FirstChild(x11, display, top, matching);
      });
  x11.close_display(display);
  return found;
}

}  // namespace quendral::os
