#include "util/text/split.h"

#include <string_view>

#include "platform/base/ascii.h"
#include "util/text/characters.h"

namespace quendral::util {
namespace {

constexpr std::string_view kDefaultDelimiter = ",";

void AppendNonEmpty(std::string_view piece, bool trim, std::vector<std::string>* pieces) {
  pieces->emplace_back(trim ? base::TrimAsciiSpaces(piece) : piece);
}

}  // namespace

// The texts are taken by value on purpose: a caller may split an element of
// `pieces` itself, which appending could move while it is being read.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void SplitDelimited(std::string text, std::string delimiter, std::vector<std::string>* pieces,
                    bool keep_empty, bool trim) {
  const std::string_view separator = delimiter.empty() ? kDefaultDelimiter : delimiter;
  const std::string_view whole = text;
  std::size_t start = 0;
  const Characters characters(whole);
  for (std::size_t found = characters.Find(separator); found != std::string_view::npos;
       found = characters.Find(separator, start)) {
    const std::string_view piece = whole.substr(start, found - start);
    if (!piece.empty()) {
      AppendNonEmpty(piece, trim, pieces);
    } else if (keep_empty) {
      pieces->emplace_back();
    }
    start = found + separator.size();
  }
  const std::string_view remainder = whole.substr(start);
  if (!remainder.empty()) {
    AppendNonEmpty(remainder, trim, pieces);
  }
}

}  // namespace quendral::util
