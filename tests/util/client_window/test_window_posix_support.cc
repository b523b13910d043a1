#include "platform/os/library.h"
#include "tests/util/client_window/test_window.h"

namespace quendral::util::fixtures {

namespace {

struct ClassHint {
  char* res_name;
  char* res_class;
};

}  // namespace

// The display stays open for the window's life: closing it destroys the
// window.
struct TestWindow::Connection {
  os::LoadedLibrary x11{"libX11.so.6"};
  void* display = nullptr;

  template <typename Function>
  Function Find(const char* name) const {
    return reinterpret_cast<Function>(x11.Find(name));
  }
};

TestWindow::TestWindow(const std::string& class_name)
    : connection_(std::make_unique<Connection>()) {
  using OpenDisplay = void* (*)(const char*);
  using RootWindow = unsigned long (*)(void*);
  using CreateWindow = unsigned long (*)(void*, unsigned long, int, int, unsigned, unsigned,
                                         unsigned, unsigned long, unsigned long);
  using SetClassHint = int (*)(void*, unsigned long, ClassHint*);
  using Sync = int (*)(void*, int);
  const auto open = connection_->Find<OpenDisplay>("XOpenDisplay");
  const auto root = connection_->Find<RootWindow>("XDefaultRootWindow");
  const auto create = connection_->Find<CreateWindow>("XCreateSimpleWindow");
  const auto set_class = connection_->Find<SetClassHint>("XSetClassHint");
  const auto sync = connection_->Find<Sync>("XSync");
  if (open == nullptr || root == nullptr || create == nullptr || set_class == nullptr ||
      sync == nullptr) {
    return;
  }
  connection_->display = open(nullptr);
  if (connection_->display == nullptr) {
    return;
  }
  const unsigned long window =
      create(connection_->display, root(connection_->display), 0, 0, 10, 10, 0, 0, 0);
  std::string name = "quendral-test";
  std::string window_class = class_name;
  ClassHint hint{name.data(), window_class.data()};
  set_class(connection_->display, window, &hint);
  sync(connection_->display, 0);
  handle_ = window;
}

TestWindow::~TestWindow() {
  using CloseDisplay = int (*)(void*);
  const auto close = connection_->Find<CloseDisplay>("XCloseDisplay");
  if (connection_->display != nullptr && close != nullptr) {
    close(connection_->display);
  }
}

}  // namespace quendral::util::fixtures
