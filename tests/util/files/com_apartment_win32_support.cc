#include "platform/os/win32/windows_headers.h"
#include "tests/util/files/com_apartment.h"
// After windows.h.
#include <objbase.h>

namespace quendral::util::fixtures {

bool EnterComApartment() { return SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }

void LeaveComApartment() { ::CoUninitialize(); }

}  // namespace quendral::util::fixtures
