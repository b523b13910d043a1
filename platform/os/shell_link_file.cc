#include "platform/os/shell_link_file.h"

#include <algorithm>
#include <array>

namespace quendral::os {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// The link class identifier {00021401-0000-0000-C000-000000000046} as stored.
constexpr std::array<std::uint8_t, 16> kLinkClass = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kFlagsOffset = 20;
constexpr std::uint32_t kHasItemIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;

// Link information: its header fields and flags.
constexpr std::size_t kInfoFlagsOffset = 8;
constexpr std::size_t kLocalBasePathOffset = 16;
constexpr std::size_t kNetworkLinkOffset = 20;
constexpr std::size_t kPathSuffixOffset = 24;
constexpr std::uint32_t kHasLocalBasePath = 0x1;
constexpr std::uint32_t kHasNetworkLink = 0x2;
// The network link: the offset of the share name within it.
constexpr std::size_t kNetworkNameOffset = 8;

using Bytes = std::span<const std::uint8_t>;

std::optional<std::uint32_t> ReadWord(Bytes bytes, std::size_t offset, std::size_t width) {
  if (offset > bytes.size() || bytes.size() - offset < width) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;) {
    value = (value << 8) | bytes[offset + i];
  }
  return value;
}

// A zero-terminated text at `offset`; nothing when it runs off the end.
std::optional<std::string> ReadText(Bytes bytes, std::size_t offset) {
  if (offset >= bytes.size()) {
    return std::nullopt;
  }
  const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
  const auto end = std::find(start, bytes.end(), std::uint8_t{0});
  if (end == bytes.end()) {
    return std::nullopt;
  }
  return std::string(start, end);
}

std::optional<std::string> NetworkPath(Bytes info, const std::string& suffix) {
  const auto link = ReadWord(info, kNetworkLinkOffset, 4);
  if (!link || *link >= info.size()) {
    return std::nullopt;
  }
  const Bytes network = info.subspan(*link);
  const auto name_at = ReadWord(network, kNetworkNameOffset, 4);
  const auto name = name_at ? ReadText(network, *name_at) : std::nullopt;
  if (!name) {
    return std::nullopt;
  }
  return suffix.empty() ? *name : *name + "\\" + suffix;
}

std::optional<std::string> LocalPath(Bytes info, const std::string& suffix) {
  const auto base_at = ReadWord(info, kLocalBasePathOffset, 4);
  const auto base = base_at ? ReadText(info, *base_at) : std::nullopt;
  if (!base) {
    return std::nullopt;
  }
  return *base + suffix;
}

std::optional<std::string> PathFromLinkInfo(Bytes info) {
  const auto flags = ReadWord(info, kInfoFlagsOffset, 4);
  const auto suffix_at = ReadWord(info, kPathSuffixOffset, 4);
  const auto suffix = suffix_at ? ReadText(info, *suffix_at) : std::nullopt;
  if (!flags || !suffix) {
    return std::nullopt;
  }
  if ((*flags & kHasNetworkLink) != 0) {
    if (auto path = NetworkPath(info, *suffix)) {
      return path;
    }
  }
  if ((*flags & kHasLocalBasePath) != 0) {
    return LocalPath(info, *suffix);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ShellLinkTarget(Bytes file) {
  if (ReadWord(file, 0, 4) != kHeaderSize || file.size() < kHeaderSize ||
      !std::equal(kLinkClass.begin(), kLinkClass.end(), file.begin() + 4)) {
    return std::nullopt;
  }
  const std::uint32_t flags = *ReadWord(file, kFlagsOffset, 4);
  std::size_t position = kHeaderSize;
  if ((flags & kHasItemIdList) != 0) {
    const auto list_size = ReadWord(file, position, 2);
    if (!list_size) {
      return std::nullopt;
    }
    position += 2 + *list_size;
  }
  if ((flags & kHasLinkInfo) == 0) {
    return std::nullopt;
  }
  const auto info_size = ReadWord(file, position, 4);
  if (!info_size || *info_size > file.size() - position) {
    return std::nullopt;
  }
  return PathFromLinkInfo(file.subspan(position, *info_size));
}

}  // namespace quendral::os
