#include "report/text_line.h"

#include <cstdint>
#include <cstdio>

#include "platform/os/terminal.h"

namespace quendral::report {
namespace {

constexpr char kLineEnd[] = "\u23CE";   // ⏎
constexpr char kEllipsis[] = "\u2026";  // …

// The code point of the UTF-8 sequence at the start of `text` and its
// length, or a length of 0 when the sequence is not valid UTF-8.
struct Decoded {
  char32_t code = 0;
  std::size_t length = 0;
};

Decoded DecodeUtf8(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) {
    return {lead, 1};
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || text.size() < length) {
    return {};
  }
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) {
      return {};
    }
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return {};
  }
  return {code, length};
}

// Characters a terminal does not simply draw: C0 and C1 controls, and the
// separators and direction controls that move or reorder what follows.
bool NeedsEscape(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029 ||
         code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
         (code >= 0x2066 && code <= 0x2069);
}

std::string Escape(const char* format, unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string OneLineText(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  while (!text.empty()) {
    if (text.starts_with("\r\n") || text[0] == '\n' || text[0] == '\r') {
      line += kLineEnd;
      text.remove_prefix(text.starts_with("\r\n") ? 2 : 1);
      continue;
    }
    const Decoded decoded = DecodeUtf8(text);
    if (decoded.length == 0) {
      line += Escape("\\x%02X", static_cast<unsigned char>(text[0]));
      text.remove_prefix(1);
      continue;
    }
    if (decoded.code == '\t') {
      line += "\\t";
    } else if (decoded.code < 0x80 && NeedsEscape(decoded.code)) {
      line += Escape("\\x%02X", decoded.code);
    } else if (NeedsEscape(decoded.code)) {
      line += Escape("\\u{%04X}", decoded.code);
    } else {
      line.append(text.substr(0, decoded.length));
    }
    text.remove_prefix(decoded.length);
  }
  return line;
}

std::string CutToWidth(std::string line, std::size_t width) {
  if (width == 0) {
    return line;
  }
  // Counted in characters: every byte but the continuations of UTF-8.
  std::size_t characters = 0;
  std::size_t cut = line.size();  // where the character at width - 1 starts
  for (std::size_t i = 0; i < line.size(); ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) {
      continue;
    }
    if (characters == width - 1) {
      cut = i;
    }
    ++characters;
  }
  if (characters <= width) {
    return line;
  }
  line.resize(cut);
  return line + kEllipsis;
}

std::size_t StandardOutputWidth() {
  return static_cast<std::size_t>(os::TerminalColumns(os::StandardStream::kOutput));
}

}  // namespace quendral::report
