#include "platform/os/special_folders.h"

#include "platform/os/win32/windows_headers.h"
// After windows.h.
#include <shlobj.h>

#include <cstdlib>

namespace quendral::os {

bool ReadSpecialFolderPath(int folder, std::string* path) {
  char buffer[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathA(nullptr, buffer, folder, FALSE)) {
    return false;
  }
  *path = buffer;
  return true;
}

std::string HomeFolder() {
  char buffer[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
    return buffer;
  }
  const char* profile = std::getenv("USERPROFILE");
  return profile != nullptr ? profile : "";
}

}  // namespace quendral::os
