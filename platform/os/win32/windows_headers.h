// The Windows headers, without the parts and macros that clash with
// standard C++.
#ifndef QUENDRAL_PLATFORM_OS_WIN32_WINDOWS_HEADERS_H_
#define QUENDRAL_PLATFORM_OS_WIN32_WINDOWS_HEADERS_H_

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winver.h>

#endif  // QUENDRAL_PLATFORM_OS_WIN32_WINDOWS_HEADERS_H_
