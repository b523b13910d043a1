#include <cstring>
#include <string_view>
#include <utility>

#include "util/text/text.h"

namespace quendral::util {
namespace {

// A tab or a line feed ends the text just as its terminator does.
constexpr std::string_view kTextBreaks("\t\n\0", 3);

std::string_view UpToFirstBreak(std::string_view text) {
  return text.substr(0, text.find_first_of(kTextBreaks));
}

// Overwrites every tab and line feed of a zero-terminated text with a
// terminator; returns what is left.
std::string_view CutAtBreaks(char* source) {
  const std::size_t length = std::strlen(source);
  for (std::size_t i = 0; i < length; ++i) {
    if (source[i] == '\t' || source[i] == '\n') {
      source[i] = '\0';
    }
  }
  return source;
}

char UpperMode(char mode) {
  return mode >= 'a' && mode <= 'z' ? static_cast<char>(mode - 'a' + 'A') : mode;
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

void TrimCharacter(char* source, char* output, char mode, char character) {
  const std::string_view trimmed = TrimView(CutAtBreaks(source), mode, character);
  // The ranges overlap when `output` is `source`.
  std::memmove(output, trimmed.data(), trimmed.size());
  output[trimmed.size()] = '\0';
}

void TrimCharacterToString(char* source, std::string* output, char mode, char character) {
  output->assign(TrimView(CutAtBreaks(source), mode, character));
}

void TrimCharacterInString(const std::string& source, std::string* output, char mode,
                           char character) {
  // Built apart first: `source` may be `output`.
  std::string trimmed(TrimView(UpToFirstBreak(source), mode, character));
  *output = std::move(trimmed);
}

int StripTrailingCharacter(std::string* text, char character) {
  const std::size_t last = text->find_last_not_of(character);
  const std::size_t kept = last == std::string::npos ? 0 : last + 1;
  const int removed = static_cast<int>(text->size() - kept);
  text->resize(kept);
  return removed;
}

}  // namespace quendral::util
