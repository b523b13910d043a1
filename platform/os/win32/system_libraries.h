// The COM, OLE and GDI functions the OS layer calls, looked up at run time so
// that the library links against no more system libraries than it needs.
// Each library is loaded when first needed and stays loaded for the life of
// the process: the objects it makes may outlive any one call.
#ifndef QUENDRAL_PLATFORM_OS_WIN32_SYSTEM_LIBRARIES_H_
#define QUENDRAL_PLATFORM_OS_WIN32_SYSTEM_LIBRARIES_H_

#include "platform/os/win32/windows_headers.h"
// After windows.h.
#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>

namespace quendral::os {

// ole32.dll
struct Ole32Entries {
  decltype(&::CoCreateInstance) create_instance;
  decltype(&::CreateStreamOnHGlobal) create_stream;
};

// oleaut32.dll
struct OleAutomationEntries {
  decltype(&::OleLoadPicture) load_picture;
  decltype(&::VarBstrFromCy) currency_to_text;
  decltype(&::VariantTimeToSystemTime) variant_time_to_system_time;
  decltype(&::SysFreeString) free_string;
};

// gdi32.dll
struct Gdi32Entries {
  decltype(&::GetDeviceCaps) get_device_caps;
};

// Each is null when its library or one of the entries is missing.
const Ole32Entries* Ole32();
const OleAutomationEntries* OleAutomation();
const Gdi32Entries* Gdi32();

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_WIN32_SYSTEM_LIBRARIES_H_
