#include "dxl/link_table.h"

#include <string_view>

#include "platform/base/ascii.h"
#include "platform/base/coding.h"

namespace quendral::dxl {
namespace {

constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kEntrySize = 40;
constexpr std::size_t kCountSize = 2;

bool IsHex(std::string_view text) {
  for (const char c : text) {
    if (!base::HexDigitValue(c)) {
      return false;
    }
  }
  return true;
}

bool IsBase64Space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Two little-endian words as text, word 1 first.
std::string TimeDateText(const std::uint8_t* bytes) {
  std::string text(16, '0');
  char* end = base::WriteHexWord(base::LoadLittle32(bytes + 4), text.data());
  base::WriteHexWord(base::LoadLittle32(bytes), end);
  return text;
}

}  // namespace

std::optional<std::string> NormaliseReplicaId(std::string_view text) {
  std::string digits(text);
  if (digits.size() == 17 && digits[8] == ':') {
    digits.erase(8, 1);
  }
  if (digits.empty() || digits.size() > 16 || !IsHex(digits)) {
    return std::nullopt;
  }
  digits.insert(0, 16 - digits.size(), '0');
  for (char& c : digits) {
    c = base::ToUpperAscii(c);
  }
  return digits;
}

std::string ReplicaIdWithColon(std::string_view digits) {
  if (digits.size() != 16) {
    return std::string(digits);
  }
  return std::string(digits.substr(0, 8)) + ":" + std::string(digits.substr(8));
}

bool LinkTable::Decode(std::string_view text) {
  layout_ = std::string(text);
  bytes_.clear();
  entries_.clear();
  std::uint32_t bits = 0;
  int bit_count = 0;
  std::size_t padding = 0;
  for (const char c : text) {
    if (IsBase64Space(c)) {
      continue;
    }
    if (c == '=') {
      ++padding;
      continue;
    }
    const std::size_t value = kBase64Alphabet.find(c);
    if (value == std::string_view::npos || padding > 0) {
      return false;
    }
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    bit_count += 6;
    if (bit_count >= 8) {
      bit_count -= 8;
      bytes_.push_back(static_cast<std::uint8_t>(bits >> bit_count));
      bits &= (1u << bit_count) - 1;
    }
  }
  // Left-over bits must be zero, so that encoding again gives the same text.
  if (padding > 2 || bit_count >= 6 || bits != 0 || bytes_.size() < kCountSize) {
    return false;
  }
  const std::size_t count = base::LoadLittle16(bytes_.data());
  if (bytes_.size() != kCountSize + count * kEntrySize) {
    return false;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = bytes_.data() + kCountSize + i * kEntrySize;
    entries_.push_back({TimeDateText(entry), TimeDateText(entry + 8) + TimeDateText(entry + 16),
                        TimeDateText(entry + 24) + TimeDateText(entry + 32)});
  }
  return true;
}

void LinkTable::SetReplicaId(std::size_t index, std::string_view replica_id) {
  std::uint8_t* entry = bytes_.data() + kCountSize + index * kEntrySize;
  // The text holds word 1 first; the bytes hold word 0 first, little-endian.
  const auto word_1 =
      static_cast<std::uint32_t>(std::stoul(std::string(replica_id.substr(0, 8)), nullptr, 16));
  const auto word_0 =
      static_cast<std::uint32_t>(std::stoul(std::string(replica_id.substr(8, 8)), nullptr, 16));
  base::StoreLittle32(entry, word_0);
  base::StoreLittle32(entry + 4, word_1);
  entries_[index].replica_id = std::string(replica_id);
}

std::string LinkTable::Encode() const {
  std::string digits;
  for (std::size_t i = 0; i < bytes_.size(); i += 3) {
    const std::size_t available = std::min<std::size_t>(3, bytes_.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = (group << 8) | (k < available ? bytes_[i + k] : 0);
    }
    for (std::size_t k = 0; k < available + 1; ++k) {
      digits += kBase64Alphabet[(group >> (18 - 6 * k)) & 0x3F];
    }
  }
  // Same length as before: every digit of the old text gets the new one at
  // its place; blanks, line ends and padding stay.
  std::string text = layout_;
  std::size_t next = 0;
  for (char& c : text) {
    if (!IsBase64Space(c) && c != '=') {
      c = digits[next++];
    }
  }
  return text;
}

}  // namespace quendral::dxl
