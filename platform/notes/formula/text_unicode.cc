#include "platform/notes/formula/text_unicode.h"

#include <array>
#include <cstdint>

namespace quendral::platform::formula {
namespace {

// Upper-case letters whose lower case lies `delta` above; with a `step` of
// 2, only every other code point from `first` on is upper case and its
// lower case follows it.
struct CaseRange {
  char32_t first;
  char32_t last;
  std::int32_t delta;
  std::uint8_t step;
};

// Latin-1 Supplement, Latin Extended-A, Greek and Cyrillic.
constexpr std::array<CaseRange, 23> kCaseRanges = {{
    {0x41, 0x5A, 32, 1},
    {0xC0, 0xD6, 32, 1},
    {0xD8, 0xDE, 32, 1},
    {0x100, 0x12E, 1, 2},
    {0x132, 0x136, 1, 2},
    {0x139, 0x147, 1, 2},
    {0x14A, 0x176, 1, 2},
    {0x178, 0x178, -0x79, 1},
    {0x179, 0x17D, 1, 2},
    {0x386, 0x386, 38, 1},
    {0x388, 0x38A, 37, 1},
    {0x38C, 0x38C, 64, 1},
    {0x38E, 0x38F, 63, 1},
    {0x391, 0x3A1, 32, 1},
    {0x3A3, 0x3AB, 32, 1},
    {0x400, 0x40F, 80, 1},
    {0x410, 0x42F, 32, 1},
    {0x460, 0x480, 1, 2},
    {0x48A, 0x4BE, 1, 2},
    {0x4C0, 0x4C0, 15, 1},
    {0x4C1, 0x4CD, 1, 2},
    {0x4D0, 0x52E, 1, 2},
    {0x130, 0x130, 0x69 - 0x130, 1},
}};

// Lower-case letters whose upper case is not the inverse of the table:
// dotless i, final sigma, long s, micro sign.
struct CasePair {
  char32_t lower;
  char32_t upper;
};
constexpr std::array<CasePair, 4> kLowerOnly = {{
    {0x131, 0x49},
    {0x3C2, 0x3A3},
    {0x17F, 0x53},
    {0xB5, 0x39C},
}};

bool InRange(const CaseRange& range, char32_t c) {
  return c >= range.first && c <= range.last && (c - range.first) % range.step == 0;
}

char32_t ToLower(char32_t c) {
  for (const CaseRange& range : kCaseRanges) {
    if (InRange(range, c)) {
      return static_cast<char32_t>(static_cast<std::int32_t>(c) + range.delta);
    }
  }
  return c;
}

char32_t ToUpper(char32_t c) {
  for (const CasePair& pair : kLowerOnly) {
    if (pair.lower == c) {
      return pair.upper;
    }
  }
  for (const CaseRange& range : kCaseRanges) {
    const auto upper = static_cast<char32_t>(static_cast<std::int32_t>(c) - range.delta);
    // İ lowers to the ASCII i, whose upper case stays I.
    if (range.first != 0x130 && InRange(range, upper)) {
      return upper;
    }
  }
  return c;
}

bool IsLetter(char32_t c) { return ToLower(c) != c || ToUpper(c) != c; }

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes the sequence at `text[*offset]`, moving past it; false (moving
// past one byte) when it is not a valid sequence.
bool DecodeAt(std::string_view text, std::size_t* offset, char32_t* code_point) {
  const auto lead = static_cast<unsigned char>(text[*offset]);
  std::size_t length = 0;
  char32_t value = 0;
  if (lead < 0x80) {
    length = 1;
    value = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
  }
  if (length == 0 || *offset + length > text.size()) {
    ++*offset;
    return false;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[*offset + i]);
    if (!IsContinuation(byte)) {
      ++*offset;
      return false;
    }
    value = (value << 6) | (byte & 0x3F);
  }
  *offset += length;
  *code_point = value;
  return true;
}

// Rewrites each character through `map(code point, previous was a letter)`.
template <typename Map>
std::string MapCharacters(std::string_view text, Map map) {
  std::string mapped;
  mapped.reserve(text.size());
  bool after_letter = false;
  for (std::size_t offset = 0; offset < text.size();) {
    const std::size_t start = offset;
    char32_t c = 0;
    if (!DecodeAt(text, &offset, &c)) {
      mapped.append(text.substr(start, offset - start));
      after_letter = false;
      continue;
    }
    const char32_t changed = map(c, after_letter);
    mapped.append(changed == c ? std::string(text.substr(start, offset - start))
                               : EncodeCodePoint(changed));
    after_letter = IsLetter(c) || (c >= '0' && c <= '9') || c == '\'';
  }
  return mapped;
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t offset = 0; offset < text.size();) {
    char32_t ignored = 0;
    DecodeAt(text, &offset, &ignored);
    ++count;
  }
  return count;
}

std::size_t CharacterOffset(std::string_view text, std::size_t index) {
  std::size_t offset = 0;
  for (std::size_t i = 0; i < index && offset < text.size(); ++i) {
    char32_t ignored = 0;
    DecodeAt(text, &offset, &ignored);
  }
  return offset;
}

std::string_view CharacterSlice(std::string_view text, std::size_t first, std::size_t count) {
  const std::size_t begin = CharacterOffset(text, first);
  const std::string_view rest = text.substr(begin);
  return rest.substr(0, CharacterOffset(rest, count));
}

std::u32string DecodeText(std::string_view text) {
  std::u32string decoded;
  for (std::size_t offset = 0; offset < text.size();) {
    const std::size_t start = offset;
    char32_t c = 0;
    decoded.push_back(DecodeAt(text, &offset, &c) ? c : static_cast<unsigned char>(text[start]));
  }
  return decoded;
}

std::string ToUpperText(std::string_view text) {
  return MapCharacters(text, [](char32_t c, bool) { return ToUpper(c); });
}

std::string ToLowerText(std::string_view text) {
  return MapCharacters(text, [](char32_t c, bool) { return ToLower(c); });
}

std::string ToProperText(std::string_view text) {
  return MapCharacters(
      text, [](char32_t c, bool after_letter) { return after_letter ? ToLower(c) : ToUpper(c); });
}

std::string EncodeCodePoint(char32_t c) {
  std::string bytes;
  if (c < 0x80) {
    bytes.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
    bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000 && (c < 0xD800 || c > 0xDFFF)) {
    bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
    bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c >= 0x10000 && c <= 0x10FFFF) {
    bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
    bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
  return bytes;
}

}  // namespace quendral::platform::formula
