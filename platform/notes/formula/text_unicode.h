// The formula language's texts are UTF-8: its text functions count, cut and
// change the case of characters, never of bytes. A byte that does not
// begin a valid sequence counts as a character of its own and keeps its
// case.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_TEXT_UNICODE_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_TEXT_UNICODE_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quendral::platform::formula {

std::size_t CharacterCount(std::string_view text);
// The byte offset at which character `index` begins; text.size() past the
// last.
std::size_t CharacterOffset(std::string_view text, std::size_t index);

// `count` characters from character `first` on, both clamped to the text.
std::string_view CharacterSlice(std::string_view text, std::size_t first, std::size_t count);

std::string ToUpperText(std::string_view text);
std::string ToLowerText(std::string_view text);
// The first letter of each word upper case, every other letter lower case.
std::string ToProperText(std::string_view text);

// The code points of the text; an invalid byte stands for itself.
std::u32string DecodeText(std::string_view text);

// The UTF-8 form of a code point; "" for one that is not a character.
std::string EncodeCodePoint(char32_t code_point);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_TEXT_UNICODE_H_
