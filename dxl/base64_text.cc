#include "dxl/base64_text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quendral::dxl {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

enum : std::uint8_t { kBlank = 64, kPad = 65, kInvalid = 66 };

constexpr std::array<std::uint8_t, 256> MakeDigitValues() {
  std::array<std::uint8_t, 256> values{};
  for (auto& value : values) {
    value = kInvalid;
  }
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
  }
  for (const char c : {' ', '\t', '\n', '\r'}) {
    values[static_cast<unsigned char>(c)] = kBlank;
  }
  values['='] = kPad;
  return values;
}

constexpr std::array<std::uint8_t, 256> kDigitValues = MakeDigitValues();

std::uint8_t ValueOf(char c) { return kDigitValues[static_cast<unsigned char>(c)]; }

// The first index from `from` on where the two texts of one length differ;
// their length when they do not. Blocks are compared first, as most bytes
// are equal.
std::size_t FirstDifference(const std::string& a, const std::string& b, std::size_t from) {
  constexpr std::size_t kBlock = 64;
  while (from + kBlock <= a.size() && std::memcmp(a.data() + from, b.data() + from, kBlock) == 0) {
    from += kBlock;
  }
  while (from < a.size() && a[from] == b[from]) {
    ++from;
  }
  return from;
}

}  // namespace

bool Base64Text::Decode(std::string_view text) {
  layout_ = std::string(text);
  runs_.clear();
  digits_ = 0;
  bytes_.resize(text.size() / 4 * 3 + 3);
  char* out = bytes_.data();
  std::uint32_t bits = 0;
  int bit_count = 0;
  std::size_t padding = 0;
  std::size_t next_position = 0;  // where a digit continues the current run
  const auto note_digits = [this, &next_position](std::size_t position, std::size_t count) {
    if (runs_.empty() || position != next_position) {
      runs_.emplace_back(digits_, position);
    }
    digits_ += count;
    next_position = position + count;
  };
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* c = begin;
  while (c != end) {
    // Whole groups of four digits, as most of a text is: a stretch of them
    // at once.
    if (bit_count == 0 && padding == 0) {
      const char* const stretch = c;
      while (end - c >= 4) {
        const std::uint32_t d0 = ValueOf(c[0]);
        const std::uint32_t d1 = ValueOf(c[1]);
        const std::uint32_t d2 = ValueOf(c[2]);
        const std::uint32_t d3 = ValueOf(c[3]);
        if ((d0 | d1 | d2 | d3) >= kBlank) {
          break;
        }
        const std::uint32_t group = d0 << 18 | d1 << 12 | d2 << 6 | d3;
        out[0] = static_cast<char>(group >> 16);
        out[1] = static_cast<char>(group >> 8);
        out[2] = static_cast<char>(group);
        out += 3;
        c += 4;
      }
      if (c != stretch) {
        note_digits(static_cast<std::size_t>(stretch - begin),
                    static_cast<std::size_t>(c - stretch));
        continue;
      }
    }
    const std::uint8_t value = ValueOf(*c);
    const auto position = static_cast<std::size_t>(c++ - begin);
    if (value == kBlank) {
      continue;
    }
    if (value == kPad) {
      ++padding;
      continue;
    }
    if (value == kInvalid || padding > 0) {
      return false;
    }
    note_digits(position, 1);
    bits = (bits << 6) | value;
    bit_count += 6;
    if (bit_count >= 8) {
      bit_count -= 8;
      *out++ = static_cast<char>(bits >> bit_count);
      bits &= (1u << bit_count) - 1;
    }
  }
  bytes_.resize(static_cast<std::size_t>(out - bytes_.data()));
  original_ = bytes_;
  // Left-over bits must be zero, so that encoding again gives the same text.
  return padding <= 2 && bit_count < 6 && bits == 0;
}

std::size_t Base64Text::PositionOf(std::size_t digit) const {
  const auto after =
      std::upper_bound(runs_.begin(), runs_.end(), digit,
                       [](std::size_t index, const std::pair<std::size_t, std::size_t>& run) {
                         return index < run.first;
                       });
  const auto& run = *(after - 1);
  return run.second + (digit - run.first);
}

std::vector<Base64Edit> Base64Text::Edits() const {
  std::vector<Base64Edit> edits;
  const std::size_t size = bytes_.size();
  const auto changed = [this, size](std::size_t group) {
    for (std::size_t at = group * 3; at < std::min(group * 3 + 3, size); ++at) {
      if (bytes_[at] != original_[at]) {
        return true;
      }
    }
    return false;
  };
  const std::size_t groups = (size + 2) / 3;
  for (std::size_t from = 0;;) {
    const std::size_t differs = FirstDifference(bytes_, original_, from);
    if (differs == size) {
      break;
    }
    const std::size_t first = differs / 3;
    std::size_t last = first + 1;
    while (last < groups && changed(last)) {
      ++last;
    }
    // The new digits of groups [first, last), the last one maybe partial.
    std::string digits;
    for (std::size_t group = first; group < last; ++group) {
      const std::size_t at = group * 3;
      const std::size_t count = std::min<std::size_t>(3, size - at);
      std::uint32_t bits = 0;
      for (std::size_t k = 0; k < 3; ++k) {
        bits = bits << 8 | (k < count ? static_cast<unsigned char>(bytes_[at + k]) : 0U);
      }
      for (std::size_t k = 0; k < count + 1; ++k) {
        digits += kAlphabet[(bits >> (18 - 6 * k)) & 0x3F];
      }
    }
    Base64Edit edit;
    edit.begin = PositionOf(first * 4);
    edit.end = PositionOf(first * 4 + digits.size() - 1) + 1;
    edit.text = layout_.substr(edit.begin, edit.end - edit.begin);
    std::size_t next = 0;
    for (char& c : edit.text) {
      if (ValueOf(c) < kBlank) {
        c = digits[next++];
      }
    }
    edits.push_back(std::move(edit));
    from = std::min(last * 3, size);
  }
  return edits;
}

std::optional<std::string> AsciiText(std::string bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::kUtf8) {
    // Every byte or'ed, eight at a time: a loop without exits is fast.
    std::uint64_t seen = 0;
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes.data() + at, 8);
      seen |= word;
    }
    for (; at < bytes.size(); ++at) {
      seen |= static_cast<unsigned char>(bytes[at]);
    }
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    return (seen & kHighBits) == 0 ? std::optional<std::string>(std::move(bytes)) : std::nullopt;
  }
  const std::size_t unit = CodeUnitSize(encoding);
  std::string text;
  text.reserve(bytes.size() / unit);
  for (std::size_t offset = 0; offset + unit <= bytes.size(); offset += unit) {
    const char32_t c = CodeUnitAt(bytes, offset, encoding);
    if (c > 0x7F) {
      return std::nullopt;
    }
    text += static_cast<char>(c);
  }
  return text;
}

}  // namespace quendral::dxl
