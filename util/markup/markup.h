// Text operations for producing markup and readable reports: character
// references for markup-special and typographic characters of Notes text,
// removal of tags, a hexadecimal prefix reader, a readable description of a
// variant value, and a local time stamp.
//
// Texts are handled byte by byte, as everywhere in the library.
#ifndef QUENDRAL_UTIL_MARKUP_MARKUP_H_
#define QUENDRAL_UTIL_MARKUP_MARKUP_H_

#include <cstdint>
#include <string>

#include "platform/os/variant.h"

namespace quendral::util {

// Replaces "&", "<", ">" and the double quote by their character references,
// and the byte sequences by which Notes text carries the typographic
// characters of the range 0x80 to 0x9F by the decimal reference of their code
// point. The apostrophe, the byte B4 and the sequence 01 25 all come out as a
// plain apostrophe. "~|~" is the placeholder the encoding is built on: such a
// sequence in the text itself becomes a bare "&".
void EncodeEntities(std::string& text);

// Removes each "<" together with everything up to the first ">" after it,
// starting over from the beginning after each removal; a ">" left over from
// nested brackets stays. Stops at a "<" that has no ">" after it, which
// stays. Returns how many tags were removed.
int StripMarkupTags(std::string& text);

// The value of the hexadecimal digits at the start of `text` (null reads as
// empty); more than eight digits keep only the last eight. No "0x" prefix.
std::int32_t ParseHexPrefix(const char* text);

// The value of `value` as text, or its type's name after "Array of " and
// "Pointer to " for arrays and references; empty for types it cannot tell.
std::string DescribeVariant(const os::Variant& value);

// The current local time as "2026-01-31T23.59.07".
std::string FormatLocalTimestamp();

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_MARKUP_MARKUP_H_
