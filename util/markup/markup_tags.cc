#include "platform/base/ascii.h"
#include "util/markup/markup.h"

namespace quendral::util {
// Removing a tag leaves no "<" before the place it was cut from, so starting
// over from the beginning after each removal finds the next "<" after that
// place: one pass from left to right does the same.
int StripMarkupTags(std::string& text) {
  int removed = 0;
  std::string kept;
  std::size_t position = 0;
  for (std::size_t open = text.find('<'); open != std::string::npos;
       open = text.find('<', position)) {
    const std::size_t close = text.find('>', open);
    if (close == std::string::npos) {
      break;
    }
    kept.append(text, position, open - position);
    position = close + 1;
    ++removed;
  }
  if (removed > 0) {
    kept.append(text, position, std::string::npos);
    text = std::move(kept);
  }
  return removed;
}

std::int32_t ParseHexPrefix(const char* text) {
  std::uint32_t value = 0;
  if (text == nullptr) {
    return 0;
  }
  for (auto digit = base::HexDigitValue(*text); digit; digit = base::HexDigitValue(*++text)) {
    value = (value << 4) | *digit;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace quendral::util
