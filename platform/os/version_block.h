// The tree of a version block in the VS_VERSIONINFO layout: nodes of a
// 16-bit total length, a 16-bit value length, a 16-bit type (1 for texts),
// a zero-terminated UTF-16 key, the value and the child nodes, each part
// starting on a 4-byte boundary of the block; all numbers little-endian.
//
// The block comes from files we do not control, so every read is checked
// against the bounds of the block and of the enclosing node.
#ifndef QUENDRAL_PLATFORM_OS_VERSION_BLOCK_H_
#define QUENDRAL_PLATFORM_OS_VERSION_BLOCK_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quendral::os {

struct VersionBlockValue {
  std::span<const std::uint8_t> bytes;  // a text's UTF-16 units, terminator included
  bool is_text = false;
};

// The value of the node that `sub_block` names: keys separated by '\\',
// compared without regard to case; "\\" or "" names the root's value (the
// fixed file information). Nothing when a key is missing or the tree is
// malformed on the way to it.
std::optional<VersionBlockValue> FindVersionBlockValue(std::span<const std::uint8_t> block,
                                                       std::string_view sub_block);

// UTF-16LE text up to its first zero unit (or its end), as UTF-8. Unpaired
// surrogates become U+FFFD; an odd last byte is ignored.
std::string DecodeUtf16Text(std::span<const std::uint8_t> utf16);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_VERSION_BLOCK_H_
