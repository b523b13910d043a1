// A document's universal ID and its 32-digit hexadecimal text.
//
// The identity is handled as four 32-bit words in memory order (the file
// part's two words, then the note part's). In the text each part is written
// second word first: digits 1-8 are word 1, 9-16 word 0, 17-24 word 3 and
// 25-32 word 2.
#ifndef QUENDRAL_NOTES_UNIVERSAL_ID_TEXT_H_
#define QUENDRAL_NOTES_UNIVERSAL_ID_TEXT_H_

#include <string>

#include "platform/notes/vocabulary/types.h"

namespace quendral {

// Fills `id` from the first 32 characters of `text`, each group of eight
// converted as strtoul converts base-16 text (it stops at the first
// character that is not a digit; a group without digits gives 0). Characters
// after the 32nd are ignored. A text shorter than 32 characters, or none,
// leaves `id` untouched.
void ParseUniversalIdText(const char* text, UNIVERSALNOTEID* id);

// The 32 upper-case hexadecimal digits of `id`.
std::string FormatUniversalIdText(const UNIVERSALNOTEID* id);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_UNIVERSAL_ID_TEXT_H_
