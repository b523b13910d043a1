// Searching 8-bit texts by whole characters of the process's code page.
//
// On a double-byte code page the second byte of a character may equal an
// ASCII character such as "\" or ";"; a search that went byte by byte would
// find a separator in the middle of a character. These searches only match
// at character boundaries (platform/os/code_page.h tells where characters
// begin). On a single-byte code page they are the plain byte searches.
#ifndef QUENDRAL_UTIL_TEXT_CHARACTERS_H_
#define QUENDRAL_UTIL_TEXT_CHARACTERS_H_

#include <cstddef>
#include <string_view>

#include "platform/os/code_page.h"

namespace quendral::util {

// A text seen as characters of the code page in use when it was made.
class Characters {
 public:
  static constexpr std::size_t npos = std::string_view::npos;

  explicit Characters(std::string_view text)
      : text_(text), leads_(os::TextLeadBytes()), single_byte_(!leads_.any()) {}

  std::string_view text() const { return text_; }

  // The position after the character that begins at `position`: 2 bytes on
  // for a lead byte with a byte after it, else 1 (also at or past the end).
  std::size_t End(std::size_t position) const {
    return position + 1 < text_.size() && leads_[text_[position]] ? position + 2 : position + 1;
  }

  // The first occurrence of `pattern` that begins at a character boundary
  // at or after `from` (itself a boundary); npos when there is none.
  std::size_t Find(std::string_view pattern, std::size_t from = 0) const;

  // The first character at or after `from` (a boundary), and the last one
  // of the text, that is one of the single-byte characters of `set`; npos
  // when there is none.
  std::size_t FindFirstOf(std::string_view set, std::size_t from = 0) const {
    if (single_byte_ && set.size() == 1) {
      return text_.find(set[0], from);
    }
    for (std::size_t at = from; at < text_.size(); at = single_byte_ ? at + 1 : End(at)) {
      if (InSet(set, text_[at])) {
        return at;
      }
    }
    return npos;
  }

  std::size_t FindLastOf(std::string_view set) const {
    if (!single_byte_) {
      return FindLastOfWalking(set);
    }
    if (set.size() == 1) {
      return text_.rfind(set[0]);
    }
    for (std::size_t at = text_.size(); at-- > 0;) {
      if (InSet(set, text_[at])) {
        return at;
      }
    }
    return npos;
  }

 private:
  // Sets are of a character or two: a loop beats a table.
  static bool InSet(std::string_view set, char c) {
    for (const char member : set) {
      if (member == c) {
        return true;
      }
    }
    return false;
  }

  std::size_t FindLastOfWalking(std::string_view set) const;

  std::string_view text_;
  const os::LeadBytes& leads_;
  bool single_byte_;
};

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_TEXT_CHARACTERS_H_
