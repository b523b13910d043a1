// Cutting a text into pieces at a delimiter text.
//
// Texts are handled as single-byte code-page strings: every byte is one
// character unit, both in the delimiter search and in trimming. Multibyte
// code pages whose trail bytes can equal a delimiter byte are not supported.
#ifndef QUENDRAL_UTIL_SPLIT_H_
#define QUENDRAL_UTIL_SPLIT_H_

#include <string>
#include <vector>

namespace util {

// Appends the pieces of `text` between occurrences of `delimiter` (","
// when empty) to `pieces`, after whatever it already holds, in text order.
// Occurrences are matched whole, left to right, without overlap.
//
// An empty piece between two delimiters is appended only with `keep_empty`;
// an empty remainder after the last delimiter is never appended. With `trim`
// every non-empty piece loses its leading and trailing white space (blank,
// tab, line feed, vertical tab, form feed, carriage return), so a piece of
// blanks becomes an empty piece that is appended even without `keep_empty`.
void SplitDelimited(std::string text, std::string delimiter, std::vector<std::string>* pieces,
                    bool keep_empty, bool trim);

}  // namespace util

#endif  // QUENDRAL_UTIL_SPLIT_H_
