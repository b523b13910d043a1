#include "platform/os/directories.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace quendral::os {
namespace {

constexpr std::size_t kMaxDirectoryLength = std::size_t{1} << 20;

}  // namespace

const char kPathSeparator = '/';

std::string CurrentDirectory() {
  std::vector<char> buffer(256);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() >= kMaxDirectoryLength) {
      return {};
    }
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string WindowsDirectory() { return "/usr/lib"; }

std::string SystemDirectory() { return "/lib"; }

}  // namespace quendral::os
