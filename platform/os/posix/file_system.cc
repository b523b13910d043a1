#include "platform/os/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace quendral::os {

bool PathsHaveDrives() { return false; }

bool PathExists(const std::string& path) {
  struct stat status;
  return ::stat(NativePath(path).c_str(), &status) == 0;
}

bool MakeDirectory(const std::string& path) { return ::mkdir(NativePath(path).c_str(), 0777) == 0; }

bool StoredFileName(const std::string& path, std::string* name) {
  if (!PathExists(path)) {
    return false;
  }
  const std::size_t last = path.find_last_of("\\/");
  *name = last == std::string::npos ? path : path.substr(last + 1);
  return true;
}

bool ShortPathName(const std::string& path, std::string* short_path) {
  if (!PathExists(path)) {
    return false;
  }
  *short_path = path;
  return true;
}

std::string TempDirectory() {
  const char* configured = std::getenv("TMPDIR");
  return configured != nullptr && configured[0] != '\0' ? configured : "/tmp";
}

bool FileSize(const std::string& path, std::uint64_t* size) {
  // Without O_NONBLOCK opening a FIFO would wait for a writer forever. Only
  // regular files have a size, as on Windows, where a directory cannot be
  // opened as a file at all.
  const int file = ::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) {
    return false;
  }
  struct stat status;
  const bool measured = ::fstat(file, &status) == 0 && S_ISREG(status.st_mode);
  ::close(file);
  if (measured) {
    *size = static_cast<std::uint64_t>(status.st_size);
  }
  return measured;
}

}  // namespace quendral::os
