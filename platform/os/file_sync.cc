#include "platform/os/file_sync.h"

#include "platform/os/file_system.h"

namespace quendral::os {

std::string FolderOf(const std::string& path) {
  std::size_t end = path.size();
  while (end > 0 && !IsPathSeparator(path[end - 1])) {
    --end;
  }
  if (end == 0) {
    return ".";
  }
  // The separator stays when it is the root's ("/", "C:\").
  const std::size_t kept = end == 1 || (end == 3 && path[1] == ':') ? end : end - 1;
  return path.substr(0, kept);
}

}  // namespace quendral::os
