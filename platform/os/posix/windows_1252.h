// Windows-1252, the code page of 8-bit texts outside Windows, to and from
// Unicode, byte by byte as Windows converts it: the five bytes the code page
// leaves undefined stand for the control characters of the same number.
#ifndef QUENDRAL_PLATFORM_OS_POSIX_WINDOWS_1252_H_
#define QUENDRAL_PLATFORM_OS_POSIX_WINDOWS_1252_H_

#include <optional>

namespace quendral::os {

char32_t Windows1252ToUnicode(char byte);

// The byte of `character`; nullopt when the code page has none.
std::optional<char> UnicodeToWindows1252(char32_t character);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_POSIX_WINDOWS_1252_H_
