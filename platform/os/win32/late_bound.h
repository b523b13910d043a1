// The few COM, OLE and GDI functions the OS layer calls, looked up at run time so
// that the library links against no more system libraries than it needs.
#ifndef QUENDRAL_PLATFORM_OS_WIN32_LATE_BOUND_H_
#define QUENDRAL_PLATFORM_OS_WIN32_LATE_BOUND_H_

#include "platform/os/win32/windows_headers.h"
// After windows.h.
#include <objbase.h>
#include <olectl.h>

namespace quendral::os {

struct LateBoundFunctions {
  decltype(&::CoCreateInstance) create_instance = nullptr;
  decltype(&::CreateStreamOnHGlobal) create_stream = nullptr;
  decltype(&::OleLoadPicture) load_picture = nullptr;
  decltype(&::GetDeviceCaps) get_device_caps = nullptr;
};

// Looked up once; a function that cannot be found stays null.
const LateBoundFunctions& LateBound();

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_WIN32_LATE_BOUND_H_
