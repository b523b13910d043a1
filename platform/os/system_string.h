// System strings: length-prefixed UTF-16 texts that the caller frees, the
// form in which the system's object interfaces take texts.
//
// On Windows a system string is the OLE Automation BSTR (SysAllocStringLen,
// SysFreeString) filled by MultiByteToWideChar from the ANSI code page.
// Elsewhere it is a block of ours with the same shape: a 32-bit byte length
// before the first unit and a zero unit after the last, converted from
// Windows-1252 as Windows converts it, whatever the C library's locale.
#ifndef QUENDRAL_PLATFORM_OS_SYSTEM_STRING_H_
#define QUENDRAL_PLATFORM_OS_SYSTEM_STRING_H_

#include <cstddef>
#include <string_view>

namespace quendral::os {

#ifdef _WIN32
// The BSTR type itself.
using SystemString = wchar_t*;
#else
using SystemString = char16_t*;
#endif

// A new system string holding `text` converted from the process's 8-bit code
// page; null when it cannot be allocated. Zero bytes in `text` are kept.
SystemString AllocSystemString(std::string_view text);

// The number of UTF-16 units, not counting the terminator; 0 for null.
std::size_t SystemStringLength(SystemString text);

// Frees a system string; null is allowed.
void FreeSystemString(SystemString text);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_SYSTEM_STRING_H_
