// Case rules of the formula language: keywords, @function names and
// temporary variables ignore the case of ASCII letters; other bytes of the
// 8-bit code page are compared as they are.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_ASCII_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_ASCII_H_

#include <string_view>

namespace quendral::platform::formula {

inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_ASCII_H_
