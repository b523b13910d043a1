#include "platform/os/version_block.h"

#include <algorithm>
#include <cstddef>

namespace quendral::os {
namespace {

constexpr std::size_t kNodeHeaderSize = 6;
constexpr std::uint16_t kTextType = 1;

struct Node {
  std::size_t end = 0;  // one past the node's last byte
  std::size_t key_begin = 0;
  std::size_t key_units = 0;
  std::size_t value_begin = 0;
  std::size_t value_size = 0;
  bool is_text = false;
};

std::uint16_t ReadWord(std::span<const std::uint8_t> block, std::size_t at) {
  return static_cast<std::uint16_t>(block[at] | (block[at + 1] << 8));
}

// Offsets are taken from the start of the block, which the producer aligned.
std::size_t AlignUp(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

// The node at `begin`, which must lie wholly before `limit`.
std::optional<Node> ReadNode(std::span<const std::uint8_t> block, std::size_t begin,
                             std::size_t limit) {
  if (begin > limit || limit - begin < kNodeHeaderSize) {
    return std::nullopt;
  }
  const std::size_t length = ReadWord(block, begin);
  if (length < kNodeHeaderSize || length > limit - begin) {
    return std::nullopt;
  }
  Node node;
  node.end = begin + length;
  node.is_text = ReadWord(block, begin + 4) == kTextType;
  node.key_begin = begin + kNodeHeaderSize;
  std::size_t at = node.key_begin;
  for (;; at += 2) {
    if (node.end - at < 2) {
      return std::nullopt;  // the key runs past its node
    }
    if (ReadWord(block, at) == 0) {
      break;
    }
  }
  node.key_units = (at - node.key_begin) / 2;
  // A text's length counts UTF-16 units, a binary value's bytes. Some
  // producers count a text in bytes, so the value is cut to its node.
  const std::size_t value_length = ReadWord(block, begin + 2);
  node.value_begin = std::min(AlignUp(at + 2), node.end);
  node.value_size =
      std::min(node.is_text ? 2 * value_length : value_length, node.end - node.value_begin);
  return node;
}

char LowerAscii(unsigned c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }

bool KeyEquals(std::span<const std::uint8_t> block, const Node& node, std::string_view key) {
  if (node.key_units != key.size()) {
    return false;
  }
  for (std::size_t i = 0; i < key.size(); ++i) {
    const std::uint16_t unit = ReadWord(block, node.key_begin + 2 * i);
    if (unit >= 0x80 || LowerAscii(unit) != LowerAscii(static_cast<unsigned char>(key[i]))) {
      return false;
    }
  }
  return true;
}

std::optional<Node> FindChild(std::span<const std::uint8_t> block, const Node& parent,
                              std::string_view key) {
  // Each child is at least a header long, so the walk always moves on.
  std::size_t at = AlignUp(parent.value_begin + parent.value_size);
  while (at < parent.end) {
    std::optional<Node> child = ReadNode(block, at, parent.end);
    if (!child) {
      return std::nullopt;
    }
    if (KeyEquals(block, *child, key)) {
      return child;
    }
    at = AlignUp(child->end);
  }
  return std::nullopt;
}

void AppendUtf8(char32_t code_point, std::string* out) {
  auto byte = [out](unsigned value) { out->push_back(static_cast<char>(value)); };
  if (code_point < 0x80) {
    byte(code_point);
  } else if (code_point < 0x800) {
    byte(0xC0 | (code_point >> 6));
    byte(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    byte(0xE0 | (code_point >> 12));
    byte(0x80 | ((code_point >> 6) & 0x3F));
    byte(0x80 | (code_point & 0x3F));
  } else {
    byte(0xF0 | (code_point >> 18));
    byte(0x80 | ((code_point >> 12) & 0x3F));
    byte(0x80 | ((code_point >> 6) & 0x3F));
    byte(0x80 | (code_point & 0x3F));
  }
}

bool IsHighSurrogate(std::uint16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(std::uint16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

}  // namespace

std::optional<VersionBlockValue> FindVersionBlockValue(std::span<const std::uint8_t> block,
                                                       std::string_view sub_block) {
  std::optional<Node> node = ReadNode(block, 0, block.size());
  std::size_t at = 0;
  while (node) {
    at = sub_block.find_first_not_of('\\', at);
    if (at == std::string_view::npos) {
      return VersionBlockValue{block.subspan(node->value_begin, node->value_size), node->is_text};
    }
    const std::size_t key_end = std::min(sub_block.find('\\', at), sub_block.size());
    node = FindChild(block, *node, sub_block.substr(at, key_end - at));
    at = key_end;
  }
  return std::nullopt;
}

std::string DecodeUtf16Text(std::span<const std::uint8_t> utf16) {
  std::string text;
  const std::size_t units = utf16.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint16_t unit = ReadWord(utf16, 2 * i);
    if (unit == 0) {
      break;
    }
    char32_t code_point = unit;
    if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(ReadWord(utf16, 2 * i + 2))) {
      const std::uint16_t low = ReadWord(utf16, 2 * ++i);
      code_point = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00);
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      code_point = 0xFFFD;
    }
    AppendUtf8(code_point, &text);
  }
  return text;
}

}  // namespace quendral::os
