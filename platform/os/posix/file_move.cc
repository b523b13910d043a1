#include "platform/os/file_move.h"

#include <unistd.h>

#include <cerrno>

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

}  // namespace quendral::os
