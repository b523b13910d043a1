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

// Folders can be flushed on NTFS only, and only with write access; where
// they cannot, the moves of this layer, written through, stand for it.
bool SyncFolderOf(const std::string& path) {
  HANDLE folder = ::CreateFileA(FolderOf(path).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder != INVALID_HANDLE_VALUE) {
    ::FlushFileBuffers(folder);
    ::CloseHandle(folder);
  }
  return true;
}

}  // namespace quendral::os
