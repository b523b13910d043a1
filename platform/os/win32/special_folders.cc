#include "platform/os/special_folders.h"

#include "platform/os/win32/windows_headers.h"
// After windows.h.
#include <shlobj.h>

namespace quendral::os {

bool ReadSpecialFolderPath(int folder, std::string* path) {
  char buffer[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathA(nullptr, buffer, folder, FALSE)) {
    return false;
  }
  *path = buffer;
  return true;
}

}  // namespace quendral::os
