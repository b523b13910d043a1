// Moving a finished file into place.
#ifndef QUENDRAL_PLATFORM_OS_FILE_MOVE_H_
#define QUENDRAL_PLATFORM_OS_FILE_MOVE_H_

#include <string>

namespace quendral::os {

enum class MoveResult { kMoved, kTargetExists, kFailed };

// Gives the file `from` the name `to` in one step, unless a file of that
// name exists (also one created by someone else a moment ago). `from` is gone
// afterwards only when the move succeeded.
MoveResult MoveFileWithoutReplacing(const std::string& from, const std::string& to);

// Gives the file `from` the name `to` in one step, replacing whatever file or
// link of that name there is (a link is replaced, never written through):
// readers see the old file or the new one, never neither. On Windows the
// move is written through to the disk before it returns. False with the
// system's reason in `error` when it failed.
bool MoveFileReplacing(const std::string& from, const std::string& to, std::string* error);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_FILE_MOVE_H_
