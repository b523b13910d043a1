#include "platform/os/directories.h"

namespace quendral::os {

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string path(directory);
  path += kPathSeparator;
  path += name;
  return path;
}

}  // namespace quendral::os
