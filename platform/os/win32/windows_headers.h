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

// Macros of the Windows headers that share a name with functions of ours and
// would rename them: the ANSI/wide switches and a compiler intrinsic.
#undef GetUserName
#undef InsertMenuItem
#undef OemToAnsi
#undef ReadTimeStampCounter

#endif  // QUENDRAL_PLATFORM_OS_WIN32_WINDOWS_HEADERS_H_
