#include "platform/os/system_string.h"

#include <climits>

#include "platform/os/win32/windows_headers.h"
// After windows.h.
#include <oleauto.h>

namespace quendral::os {

SystemString AllocSystemString(std::string_view text) {
  if (text.size() > INT_MAX) {
    return nullptr;
  }
  const int bytes = static_cast<int>(text.size());
  const int units =
      bytes == 0 ? 0 : ::MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
  if (bytes != 0 && units == 0) {
    return nullptr;
  }
  SystemString result = ::SysAllocStringLen(nullptr, static_cast<UINT>(units));
  if (result != nullptr && units != 0) {
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, result, units);
  }
  return result;
}

std::size_t SystemStringLength(SystemString text) { return ::SysStringLen(text); }

void FreeSystemString(SystemString text) { ::SysFreeString(text); }

}  // namespace quendral::os
