// Cutting a text into pieces at a delimiter text.
//
// The delimiter is searched by whole characters of the process's code page:
// on a double-byte code page a second byte that equals the delimiter does not
// cut the text. (No second byte is white space, so trimming goes by bytes.)
#ifndef QUENDRAL_UTIL_TEXT_SPLIT_H_
#define QUENDRAL_UTIL_TEXT_SPLIT_H_

#include <string>
#include <vector>

namespace quendral::util {

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

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_TEXT_SPLIT_H_
