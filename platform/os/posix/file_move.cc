#include "platform/os/file_move.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace quendral::os {

// rename() replaces silently; link() refuses an existing name, and the
// temporary name is dropped once the new one stands.
MoveResult MoveFileWithoutReplacing(const std::string& from, const std::string& to) {
  if (::link(from.c_str(), to.c_str()) != 0) {
    return errno == EEXIST ? MoveResult::kTargetExists : MoveResult::kFailed;
  }
  ::unlink(from.c_str());
  return MoveResult::kMoved;
}

bool MoveFileReplacing(const std::string& from, const std::string& to, std::string* error) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    *error = std::generic_category().message(errno);
    return false;
  }
  return true;
}

}  // namespace quendral::os
