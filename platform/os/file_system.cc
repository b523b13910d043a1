#include "platform/os/file_system.h"

#include "platform/os/directories.h"

namespace quendral::os {

bool IsPathSeparator(char c) { return c == '\\' || c == kPathSeparator; }

std::string NativePath(std::string_view path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '\\') {
      c = kPathSeparator;
    }
  }
  return native;
}

}  // namespace quendral::os
