// Base64 as exports carry item data: digits wrapped into lines, often
// indented, with CRLF or LF line ends. A decoded text keeps its layout, so
// that bytes changed in place encode to a text of the same lines, which
// differs from the old one only in the digits of the changed bytes.
#ifndef QUENDRAL_DXL_BASE64_TEXT_H_
#define QUENDRAL_DXL_BASE64_TEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dxl/text_encoding.h"

namespace quendral::dxl {

class Base64Text {
 public:
  // False when `text` holds anything but Base64 digits, blanks, line ends and
  // closing padding, or is not the one encoding of its bytes (left-over bits
  // set, digits missing), which could not be written back as it was.
  bool Decode(std::string_view text);

  std::string& bytes() { return bytes_; }
  const std::string& bytes() const { return bytes_; }
  // The Base64 of bytes(), laid out as the decoded text: every digit at the
  // place of an old one, blanks, line ends and padding as they were. The
  // bytes must have kept their number.
  std::string Encode() const;

 private:
  std::string layout_;
  std::string bytes_;
};

// The characters of `bytes` (input in `encoding`) when all of them are
// ASCII: how an item's Base64 stands in the file, line ends and all, one
// character per code unit. Nothing when some character is not ASCII.
std::optional<std::string> AsciiText(std::string_view bytes, TextEncoding encoding);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_BASE64_TEXT_H_
