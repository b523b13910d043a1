// Searching 8-bit texts by whole characters of the process's code page.
//
// On a double-byte code page the second byte of a character may equal an
// ASCII character such as "\" or ";"; a search that went byte by byte would
// find a separator in the middle of a character. These searches only match
// at character boundaries (platform/os/code_page.h tells where characters
// begin).
#ifndef QUENDRAL_UTIL_CHARACTERS_H_
#define QUENDRAL_UTIL_CHARACTERS_H_

#include <cstddef>
#include <string_view>

namespace util {

// The position after the character that begins at `position`: 2 bytes on
// for a lead byte with a byte after it, else 1 (also at or past the end).
std::size_t CharacterEnd(std::string_view text, std::size_t position);

// The first occurrence of `pattern` that begins at a character boundary at
// or after `from` (itself a boundary); npos when there is none.
std::size_t FindWholeText(std::string_view text, std::string_view pattern, std::size_t from = 0);

// The first character at or after `from` (a boundary), and the last one of
// the text, for which matches(char) holds; npos when there is none. Only
// the first byte of a character is shown to `matches`.
template <class Predicate>
std::size_t FindCharacterIf(std::string_view text, Predicate matches, std::size_t from = 0) {
  for (std::size_t at = from; at < text.size(); at = CharacterEnd(text, at)) {
    if (matches(text[at])) return at;
  }
  return std::string_view::npos;
}

template <class Predicate>
std::size_t FindLastCharacterIf(std::string_view text, Predicate matches) {
  std::size_t last = std::string_view::npos;
  for (std::size_t at = 0; at < text.size(); at = CharacterEnd(text, at)) {
    if (matches(text[at])) last = at;
  }
  return last;
}

}  // namespace util

#endif  // QUENDRAL_UTIL_CHARACTERS_H_
