// Small text helpers over 8-bit texts: trimming a character from the ends,
// joining lists. Every byte is one character unit.
#ifndef QUENDRAL_UTIL_TEXT_H_
#define QUENDRAL_UTIL_TEXT_H_

#include <cstddef>
#include <string>
#include <vector>

namespace util {

// Trim modes, upper or lower case: both ends, the start only, the end only.
// Any other letter removes nothing.
inline constexpr char kTrimBoth = 'B';
inline constexpr char kTrimLeading = 'L';
inline constexpr char kTrimTrailing = 'T';

// Puts into `output` the text of `source` up to its first tab, line feed or
// zero character, with copies of `character` removed from the ends that
// `mode` names. `source` may be `output` itself, which trims it in place;
// otherwise `source` is left as it was.
void TrimCharacterInString(const std::string& source, std::string* output, char mode,
                           char character);

// The strings of `strings` from `first_index` on, separated by `separator`
// ("," when empty). Empty when `first_index` is past the last string.
std::string JoinStrings(const std::string& separator, const std::vector<std::string>& strings,
                        std::size_t first_index);

}  // namespace util

#endif  // QUENDRAL_UTIL_TEXT_H_
