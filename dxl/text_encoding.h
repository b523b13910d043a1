// The encodings an export may be written in, and our own texts put into them.
//
// Exports are UTF-8 or UTF-16. The rewriter copies the input's bytes as they
// are, so whatever it writes in place of a value must be in the input's
// encoding, and offsets always count bytes of the input.
#ifndef QUENDRAL_DXL_TEXT_ENCODING_H_
#define QUENDRAL_DXL_TEXT_ENCODING_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quendral::dxl {

enum class TextEncoding { kUtf8, kUtf16LittleEndian, kUtf16BigEndian };

// The encoding of a document beginning with `head` (its first four bytes, or
// all of it when shorter), found from the byte-order mark or from how "<?"
// or "<" is written, as XML parsers detect it; UTF-8 when nothing says
// otherwise.
TextEncoding DetectEncoding(std::string_view head);

// Bytes per code unit: 1 for UTF-8, 2 for UTF-16.
std::size_t CodeUnitSize(TextEncoding encoding);

// The code unit at byte `offset` of `bytes` (which must hold all of it).
char32_t CodeUnitAt(std::string_view bytes, std::size_t offset, TextEncoding encoding);

// False when `text` is not valid UTF-8.
bool IsValidUtf8(std::string_view text);

// Whether `text` is UTF-8 of characters XML can carry: tab, line feed,
// carriage return and U+0020 on, but for U+FFFE and U+FFFF. No reference
// can stand for any other (U+0001, say), so a value holding one cannot be
// written into an export. Else `problem` names the first that is not
// ("U+0001", or "a byte sequence that is not UTF-8").
bool IsXmlText(std::string_view text, std::string* problem);

// The UTF-8 `text` in `encoding`; `text` must be valid UTF-8.
std::string EncodeText(std::string_view text, TextEncoding encoding);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_TEXT_ENCODING_H_
