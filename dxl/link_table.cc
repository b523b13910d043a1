#include "dxl/link_table.h"

#include <string_view>

#include "platform/base/ascii.h"
#include "platform/base/coding.h"

namespace quendral::dxl {
namespace {

// The names a link table has: in documents, and in forms.
constexpr std::string_view kLinkTableNames[] = {"$Links", "$FormLinks"};
constexpr std::string_view kLinkTableType = "7";  // the note-link list type
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

// Two little-endian words as text, word 1 first.
std::string TimeDateText(const std::uint8_t* bytes) {
  std::string text(16, '0');
  char* end = base::WriteHexWord(base::LoadLittle32(bytes + 4), text.data());
  base::WriteHexWord(base::LoadLittle32(bytes), end);
  return text;
}

}  // namespace

bool IsLinkTableItem(std::string_view name, std::string_view type) {
  if (type != kLinkTableType) {
    return false;
  }
  for (const std::string_view table : kLinkTableNames) {
    if (name == table) {
      return true;
    }
  }
  return false;
}

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
  entries_.clear();
  if (!text_.Decode(text)) {
    return false;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text_.bytes().data());
  const std::size_t size = text_.bytes().size();
  if (size < kCountSize) {
    return false;
  }
  const std::size_t count = base::LoadLittle16(bytes);
  if (size != kCountSize + count * kEntrySize) {
    return false;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = bytes + kCountSize + i * kEntrySize;
    entries_.push_back({TimeDateText(entry), TimeDateText(entry + 8) + TimeDateText(entry + 16),
                        TimeDateText(entry + 24) + TimeDateText(entry + 32)});
  }
  return true;
}

void LinkTable::SetReplicaId(std::size_t index, std::string_view replica_id) {
  auto* entry =
      reinterpret_cast<std::uint8_t*>(text_.bytes().data()) + kCountSize + index * kEntrySize;
  // The text holds word 1 first; the bytes hold word 0 first, little-endian.
  const auto word_1 =
      static_cast<std::uint32_t>(std::stoul(std::string(replica_id.substr(0, 8)), nullptr, 16));
  const auto word_0 =
      static_cast<std::uint32_t>(std::stoul(std::string(replica_id.substr(8, 8)), nullptr, 16));
  base::StoreLittle32(entry, word_0);
  base::StoreLittle32(entry + 4, word_1);
  entries_[index].replica_id = std::string(replica_id);
}

}  // namespace quendral::dxl
