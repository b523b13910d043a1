#include "platform/os/desktop/window.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

WindowHandle FindTopLevelWindow(const std::string& class_name) {
  return reinterpret_cast<WindowHandle>(::FindWindowA(class_name.c_str(), nullptr));
}

}  // namespace quendral::os
