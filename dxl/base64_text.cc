#include "dxl/base64_text.h"

#include <array>

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

}  // namespace

bool Base64Text::Decode(std::string_view text) {
  layout_ = std::string(text);
  bytes_.clear();
  bytes_.reserve(text.size() / 4 * 3);
  std::uint32_t bits = 0;
  int bit_count = 0;
  std::size_t padding = 0;
  for (const char c : text) {
    const std::uint8_t value = ValueOf(c);
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
    bits = (bits << 6) | value;
    bit_count += 6;
    if (bit_count >= 8) {
      bit_count -= 8;
      bytes_.push_back(static_cast<char>(bits >> bit_count));
      bits &= (1u << bit_count) - 1;
    }
  }
  // Left-over bits must be zero, so that encoding again gives the same text.
  return padding <= 2 && bit_count < 6 && bits == 0;
}

std::string Base64Text::Encode() const {
  std::string text = layout_;
  std::size_t at = 0;  // the next place of a digit in `text`
  const auto put = [&text, &at](std::uint32_t value) {
    while (ValueOf(text[at]) >= kBlank) {
      ++at;
    }
    text[at++] = kAlphabet[value & 0x3F];
  };
  const auto* bytes = reinterpret_cast<const unsigned char*>(bytes_.data());
  const std::size_t size = bytes_.size();
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    const std::uint32_t group =
        (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
    put(group >> 18);
    put(group >> 12);
    put(group >> 6);
    put(group);
  }
  if (i < size) {
    const std::size_t left = size - i;
    const std::uint32_t group =
        (std::uint32_t{bytes[i]} << 16) | (left > 1 ? std::uint32_t{bytes[i + 1]} << 8 : 0);
    for (std::size_t k = 0; k < left + 1; ++k) {
      put(group >> (18 - 6 * k));
    }
  }
  return text;
}

std::optional<std::string> AsciiText(std::string_view bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::kUtf8) {
    for (const char c : bytes) {
      if (static_cast<unsigned char>(c) > 0x7F) {
        return std::nullopt;
      }
    }
    return std::string(bytes);
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
