// Base64 as exports carry item data: digits wrapped into lines, often
// indented, with CRLF or LF line ends. A decoded text keeps its layout, so
// that bytes changed in place are written back as a text of the same lines,
// which differs from the old one only in the digits of the changed bytes.
#ifndef QUENDRAL_DXL_BASE64_TEXT_H_
#define QUENDRAL_DXL_BASE64_TEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dxl/text_encoding.h"

namespace quendral::dxl {

// A change of a Base64 text: characters [begin, end) of the text read, and
// what stands there now.
struct Base64Edit {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string text;
};

class Base64Text {
 public:
  // False when `text` holds anything but Base64 digits, blanks, line ends and
  // closing padding, or is not the one encoding of its bytes (left-over bits
  // set, digits missing), which could not be written back as it was.
  bool Decode(std::string_view text);

  // The decoded bytes, to be changed in place (their number must stay).
  std::string& bytes() { return bytes_; }
  const std::string& bytes() const { return bytes_; }

  // What writes the bytes as they are now into the text read: one edit per
  // run of changed 3-byte groups, whose digits take the places of the old
  // ones while blanks and line ends stay where they were. In input order.
  std::vector<Base64Edit> Edits() const;

 private:
  // Where the digit of index `digit` stands in the text.
  std::size_t PositionOf(std::size_t digit) const;

  std::string layout_;
  std::string original_;  // the bytes as decoded
  std::string bytes_;
  std::size_t digits_ = 0;
  // The runs of digits without a blank between them: the index of each
  // run's first digit and its position in the text.
  std::vector<std::pair<std::size_t, std::size_t>> runs_;
};

// The characters of `bytes` (input in `encoding`) when all of them are
// ASCII: how an item's Base64 stands in the file, line ends and all, one
// character per code unit. Nothing when some character is not ASCII.
std::optional<std::string> AsciiText(std::string bytes, TextEncoding encoding);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_BASE64_TEXT_H_
