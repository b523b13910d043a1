// Attribute values inside the bytes of one start tag: where each value lies,
// and how a new value is written so that it reads like its neighbours.
//
// The tag has already been checked by the XML parser; this only finds the
// byte offsets that the parser does not report.
#ifndef QUENDRAL_DXL_ATTRIBUTE_TEXT_H_
#define QUENDRAL_DXL_ATTRIBUTE_TEXT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dxl/text_encoding.h"

namespace quendral::dxl {

struct AttributeSpan {
  std::string name;             // as written, prefix included (ASCII; others as '?')
  std::size_t value_begin = 0;  // byte offsets into the tag, without the quotes
  std::size_t value_end = 0;
  char quote = '\'';
};

// The attributes of the well-formed start tag `tag`, in order.
std::vector<AttributeSpan> FindAttributes(std::string_view tag, TextEncoding encoding);

// The name of the first entity reference in the start tag `tag` that is
// neither a character reference nor one of the five entities XML defines
// (amp, lt, gt, apos, quot), if there is one. The parser drops such a
// reference from an attribute's value without a word when the document has
// a DTD it does not read; exports never hold one.
std::optional<std::string> UndefinedEntityReference(std::string_view tag, TextEncoding encoding);

// How references are written in a tag: as named entities ("&amp;"), decimal
// ("&#38;") or hexadecimal ("&#x26;") character references.
enum class ReferenceForm { kNamed, kDecimal, kHexadecimal };

// The form the references of `tag` use; named when it has none.
ReferenceForm ReferenceFormOf(std::string_view tag, TextEncoding encoding);

// `value` (UTF-8) as the text of an attribute quoted with `quote`: "&", "<"
// and the quote become references of `form`; tab, line feed and carriage
// return, which attribute normalisation would turn into blanks, become
// character references (decimal unless `form` is hexadecimal), since XML
// names none of them.
std::string EscapeAttributeValue(std::string_view value, char quote, ReferenceForm form);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_ATTRIBUTE_TEXT_H_
