// Comparing names the way settings, locales and server names are compared:
// byte by byte, without regard to letter case.
#ifndef QUENDRAL_PLATFORM_OS_ASCII_CASE_H_
#define QUENDRAL_PLATFORM_OS_ASCII_CASE_H_

#include <algorithm>
#include <cctype>
#include <string_view>

namespace quendral::os {

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_ASCII_CASE_H_
