#include <string_view>
#include <utility>

#include "util/text.h"

namespace util {
namespace {

// A tab or a line feed ends the text just as its terminator does.
std::string_view UpToFirstBreak(std::string_view text) {
  return text.substr(0, text.find_first_of(std::string_view("\t\n\0", 3)));
}

char UpperMode(char mode) {
  return mode >= 'a' && mode <= 'z' ? static_cast<char>(mode - 32) : mode;
}

std::string_view TrimView(std::string_view text, char mode, char character) {
  const char upper = UpperMode(mode);
  if (upper == kTrimBoth || upper == kTrimLeading) {
    const std::size_t first = text.find_first_not_of(character);
    text.remove_prefix(first == std::string_view::npos ? text.size() : first);
  }
  if (upper == kTrimBoth || upper == kTrimTrailing) {
    const std::size_t last = text.find_last_not_of(character);
    text.remove_suffix(last == std::string_view::npos ? text.size() : text.size() - last - 1);
  }
  return text;
}

}  // namespace

void TrimCharacterInString(const std::string& source, std::string* output, char mode,
                           char character) {
  // Built apart first: `source` may be `output`.
  std::string trimmed(TrimView(UpToFirstBreak(source), mode, character));
  *output = std::move(trimmed);
}

}  // namespace util
