#include "platform/os/file_move.h"

#include <system_error>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

// Without MOVEFILE_REPLACE_EXISTING the move fails on an existing name.
MoveResult MoveFileWithoutReplacing(const std::string& from, const std::string& to) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
    return MoveResult::kMoved;
  }
  const DWORD error = ::GetLastError();
  return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? MoveResult::kTargetExists
                                                                     : MoveResult::kFailed;
}

bool MoveFileReplacing(const std::string& from, const std::string& to, std::string* error) {
  if (!::MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    *error = std::system_category().message(static_cast<int>(::GetLastError()));
    return false;
  }
  return true;
}

}  // namespace quendral::os
