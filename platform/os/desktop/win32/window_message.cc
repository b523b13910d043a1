#include "platform/os/desktop/window_message.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

HWND Native(WindowHandle window) { return reinterpret_cast<HWND>(window); }

}  // namespace

bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t first,
                       std::intptr_t second) {
  return ::PostMessageA(Native(window), message, first, second) != FALSE;
}

WindowHandle CreateMessageWindow() {
  return reinterpret_cast<WindowHandle>(
      ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

void DestroyMessageWindow(WindowHandle window) { ::DestroyWindow(Native(window)); }

bool TakeWindowMessage(WindowHandle window, WindowMessage* message) {
  MSG native{};
  if (::PeekMessageA(&native, Native(window), 0, 0, PM_REMOVE) == FALSE) {
    return false;
  }
  *message = {native.message, native.wParam, native.lParam};
  return true;
}

}  // namespace quendral::os
