#include "platform/os/file_sync.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quendral::os {
namespace {

bool SyncOpened(const std::string& path, int flags) {
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), flags | O_CLOEXEC);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    return false;
  }
  const bool synced = ::fsync(descriptor) == 0;
  ::close(descriptor);
  return synced;
}

}  // namespace

bool SyncFile(const std::string& path) { return SyncOpened(path, O_RDONLY); }

bool SyncFolderOf(const std::string& path) {
  return SyncOpened(FolderOf(path), O_RDONLY | O_DIRECTORY);
}

}  // namespace quendral::os
