#include "dxl/text_encoding.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace quendral::dxl {
namespace {

std::uint8_t ByteAt(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint8_t>(bytes[offset]);
}

bool StartsWith(std::string_view head, std::initializer_list<std::uint8_t> prefix) {
  if (head.size() < prefix.size()) {
    return false;
  }
  std::size_t i = 0;
  for (const std::uint8_t byte : prefix) {
    if (ByteAt(head, i++) != byte) {
      return false;
    }
  }
  return true;
}

// Decodes the UTF-8 `text` into code points; false at the first malformed,
// overlong or surrogate sequence.
bool DecodeUtf8(std::string_view text, std::vector<char32_t>* code_points) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::uint8_t lead = ByteAt(text, i);
    std::size_t length = 1;
    char32_t point = lead;
    char32_t minimum = 0;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, point = lead & 0x07, minimum = 0x10000;
    } else if (lead >= 0xE0) {
      length = 3, point = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, point = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0x80) {
      return false;
    }
    if (lead > 0xF4 || i + length > text.size()) {
      return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
      const std::uint8_t next = ByteAt(text, i + k);
      if ((next & 0xC0) != 0x80) {
        return false;
      }
      point = (point << 6) | (next & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
      return false;
    }
    if (code_points != nullptr) {
      code_points->push_back(point);
    }
    i += length;
  }
  return true;
}

void AppendUnit(std::uint16_t unit, TextEncoding encoding, std::string* out) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  if (encoding == TextEncoding::kUtf16BigEndian) {
    *out += high;
    *out += low;
  } else {
    *out += low;
    *out += high;
  }
}

}  // namespace

TextEncoding DetectEncoding(std::string_view head) {
  if (StartsWith(head, {0xFE, 0xFF}) || StartsWith(head, {0x00, 0x3C})) {
    return TextEncoding::kUtf16BigEndian;
  }
  if (StartsWith(head, {0xFF, 0xFE}) || StartsWith(head, {0x3C, 0x00})) {
    return TextEncoding::kUtf16LittleEndian;
  }
  return TextEncoding::kUtf8;
}

std::size_t CodeUnitSize(TextEncoding encoding) { return encoding == TextEncoding::kUtf8 ? 1 : 2; }

char32_t CodeUnitAt(std::string_view bytes, std::size_t offset, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return ByteAt(bytes, offset);
    case TextEncoding::kUtf16LittleEndian:
      return ByteAt(bytes, offset) | (char32_t{ByteAt(bytes, offset + 1)} << 8);
    case TextEncoding::kUtf16BigEndian:
      return (char32_t{ByteAt(bytes, offset)} << 8) | ByteAt(bytes, offset + 1);
  }
  return 0;
}

bool IsValidUtf8(std::string_view text) { return DecodeUtf8(text, nullptr); }

bool IsXmlText(std::string_view text, std::string* problem) {
  std::vector<char32_t> points;
  if (!DecodeUtf8(text, &points)) {
    *problem = "a byte sequence that is not UTF-8";
    return false;
  }
  for (const char32_t point : points) {
    const bool control = point < 0x20 && point != '\t' && point != '\n' && point != '\r';
    if (control || point == 0xFFFE || point == 0xFFFF) {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(point));
      *problem = name;
      return false;
    }
  }
  return true;
}

std::string EncodeText(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::kUtf8) {
    return std::string(text);
  }
  std::vector<char32_t> points;
  DecodeUtf8(text, &points);
  std::string out;
  for (const char32_t point : points) {
    if (point < 0x10000) {
      AppendUnit(static_cast<std::uint16_t>(point), encoding, &out);
    } else {
      const char32_t offset = point - 0x10000;
      AppendUnit(static_cast<std::uint16_t>(0xD800 + (offset >> 10)), encoding, &out);
      AppendUnit(static_cast<std::uint16_t>(0xDC00 + (offset & 0x3FF)), encoding, &out);
    }
  }
  return out;
}

}  // namespace quendral::dxl
