#include "platform/os/file_system.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

bool PathsHaveDrives() { return true; }

bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeDirectory(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool StoredFileName(const std::string& path, std::string* name) {
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return false;
  }
  ::FindClose(search);
  *name = found.cFileName;
  return true;
}

bool ShortPathName(const std::string& path, std::string* short_path) {
  char buffer[MAX_PATH];
  const DWORD length = ::GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return false;
  }
  short_path->assign(buffer, length);
  return true;
}

std::string TempDirectory() {
  char buffer[MAX_PATH + 1];
  const DWORD length = ::GetTempPathA(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) {
    return {};
  }
  return std::string(buffer, length);
}

bool FileSize(const std::string& path, std::uint64_t* size) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  LARGE_INTEGER measured;
  const bool ok = ::GetFileSizeEx(file, &measured) != 0;
  ::CloseHandle(file);
  if (ok) {
    *size = static_cast<std::uint64_t>(measured.QuadPart);
  }
  return ok;
}

}  // namespace quendral::os
