#include "platform/os/win32/windows_headers.h"
#include "tests/util/client_window/test_window.h"

namespace quendral::util::fixtures {

struct TestWindow::Connection {
  std::string class_name;
};

TestWindow::TestWindow(const std::string& class_name)
    : connection_(std::make_unique<Connection>(Connection{class_name})) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = ::DefWindowProcA;
  window_class.hInstance = ::GetModuleHandleA(nullptr);
  window_class.lpszClassName = connection_->class_name.c_str();
  ::RegisterClassA(&window_class);
  handle_ = reinterpret_cast<os::WindowHandle>(
      ::CreateWindowExA(0, class_name.c_str(), "test", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                        nullptr, window_class.hInstance, nullptr));
}

TestWindow::~TestWindow() {
  if (handle_ != 0) {
    ::DestroyWindow(reinterpret_cast<HWND>(handle_));
  }
  ::UnregisterClassA(connection_->class_name.c_str(), ::GetModuleHandleA(nullptr));
}

}  // namespace quendral::util::fixtures
