// Moving a finished file into place without ever replacing another.
#ifndef QUENDRAL_PLATFORM_OS_FILE_MOVE_H_
#define QUENDRAL_PLATFORM_OS_FILE_MOVE_H_

#include <string>

namespace quendral::os {

enum class MoveResult { kMoved, kTargetExists, kFailed };

// Gives the file `from` the name `to` in one step, unless a file of that
// name exists (also one created by someone else a moment ago). `from` is gone
// afterwards only when the move succeeded.
MoveResult MoveFileWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_FILE_MOVE_H_
