#include "util/markup.h"

namespace quendral::util {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

}  // namespace

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
  for (int digit = HexDigitValue(*text); digit >= 0; digit = HexDigitValue(*++text)) {
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace quendral::util
