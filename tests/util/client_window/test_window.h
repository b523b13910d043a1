// A real top-level window of a given class, for tests that look windows up
// by class: an X11 window on the display DISPLAY names (through the X11
// client library, loaded at run time), or a hidden Win32 window.
#ifndef QUENDRAL_TESTS_UTIL_CLIENT_WINDOW_TEST_WINDOW_H_
#define QUENDRAL_TESTS_UTIL_CLIENT_WINDOW_TEST_WINDOW_H_

#include <memory>
#include <string>

#include "platform/os/desktop/window.h"

namespace quendral::util::fixtures {

class TestWindow {
 public:
  explicit TestWindow(const std::string& class_name);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  // 0 when no window could be made (no display).
  os::WindowHandle handle() const { return handle_; }

 private:
  struct Connection;
  std::unique_ptr<Connection> connection_;
  os::WindowHandle handle_ = 0;
};

}  // namespace quendral::util::fixtures

#endif  // QUENDRAL_TESTS_UTIL_CLIENT_WINDOW_TEST_WINDOW_H_
