#include "platform/os/shell_link.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/os/file_system.h"
#include "platform/os/shell_link_file.h"

namespace quendral::os {
namespace {

// Real links are a few kilobytes; anything far larger is not one.
constexpr std::uint64_t kLargestLink = 1 << 20;

}  // namespace

std::string ResolveShellLink(const std::string& link_path) {
  std::uint64_t size = 0;
  if (!FileSize(link_path, &size) || size > kLargestLink) {
    return {};
  }
  std::ifstream file(NativePath(link_path), std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                        std::istreambuf_iterator<char>()};
  return ShellLinkTarget(bytes).value_or(std::string());
}

}  // namespace quendral::os
