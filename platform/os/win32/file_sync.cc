#include "platform/os/file_sync.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

// Flushing needs write access; FILE_FLAG_BACKUP_SEMANTICS opens folders.
bool SyncFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  const bool flushed = ::FlushFileBuffers(file) != 0;
  ::CloseHandle(file);
  return flushed;
}

bool SyncFolderOf(const std::string& path) {
  HANDLE folder = ::CreateFileA(FolderOf(path).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) {
    return true;
  }
  const bool flushed = ::FlushFileBuffers(folder) != 0;
  const DWORD error = flushed ? ERROR_SUCCESS : ::GetLastError();
  ::CloseHandle(folder);
  return flushed || error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_FUNCTION;
}

}  // namespace quendral::os
