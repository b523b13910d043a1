// Letters, digits and white space of ASCII, the same whatever locale the
// host process has set: names and keys compare alike everywhere. Bytes
// outside ASCII are never letters, digits or space here.
#ifndef QUENDRAL_PLATFORM_BASE_ASCII_H_
#define QUENDRAL_PLATFORM_BASE_ASCII_H_

#include <cstdint>
#include <optional>
#include <string_view>

namespace quendral::base {

constexpr char ToLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
constexpr char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Equal byte for byte once ASCII letters are folded; other bytes compare as
// they are.
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// The value of a hexadecimal digit (0-9, A-F, a-f); nothing for any other
// character.
constexpr std::optional<unsigned> HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return static_cast<unsigned>(c - '0');
  }
  if (c >= 'a' && c <= 'f') {
    return static_cast<unsigned>(c - 'a' + 10);
  }
  if (c >= 'A' && c <= 'F') {
    return static_cast<unsigned>(c - 'A' + 10);
  }
  return std::nullopt;
}

// Writes `word` as the eight upper-case hexadecimal digits IDs are written
// with, leading zeros kept; returns the end of what it wrote.
constexpr char* WriteHexWord(std::uint32_t word, char* out) {
  for (int shift = 28; shift >= 0; shift -= 4) {
    *out++ = "0123456789ABCDEF"[(word >> shift) & 0xF];
  }
  return out;
}

// What the C library classifies as space in its default locale: blank, tab,
// line feed, vertical tab, form feed, carriage return.
inline constexpr std::string_view kAsciiSpaces = " \t\n\v\f\r";

// `text` without leading and trailing characters of `set`.
constexpr std::string_view TrimCharacters(std::string_view text, std::string_view set) {
  const std::size_t first = text.find_first_not_of(set);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(set) - first + 1);
}

constexpr std::string_view TrimAsciiSpaces(std::string_view text) {
  return TrimCharacters(text, kAsciiSpaces);
}

// Blanks and tabs, and the carriage return a line from a file with CR LF line
// ends keeps; vertical tabs and form feeds stay. Shell-style files, which
// split words at blanks and tabs only, are read this way.
constexpr std::string_view TrimSpacesTabsAndReturns(std::string_view text) {
  return TrimCharacters(text, " \t\r");
}

}  // namespace quendral::base

#endif  // QUENDRAL_PLATFORM_BASE_ASCII_H_
