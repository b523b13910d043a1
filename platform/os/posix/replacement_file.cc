#include "platform/os/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string_view>
#include <system_error>

namespace quendral::os {
namespace {

std::string Reason() { return std::generic_category().message(errno); }

// The process's umask, read without changing it: Linux reports it in the
// status file; elsewhere it is set and put back.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  constexpr std::string_view kField = "Umask:";
  for (std::string line; std::getline(status, line);) {
    if (line.compare(0, kField.size(), kField) == 0) {
      return static_cast<mode_t>(std::stoul(line.substr(kField.size()), nullptr, 8));
    }
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

}  // namespace

ReplacementFile::Created ReplacementFile::CreateExclusive(const std::string& name,
                                                          std::string* error) {
  int descriptor;
  do {
    descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    *error = Reason();
    return errno == EEXIST ? Created::kNameTaken : Created::kFailed;
  }
  handle_ = descriptor;
  return Created::kCreated;
}

bool ReplacementFile::WriteAll(const char* data, std::size_t size, std::string* error) {
  while (size > 0) {
    const ssize_t written = ::write(static_cast<int>(handle_), data, size);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      *error = written < 0 ? Reason() : "nothing could be written";
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// The owner first: changing it may clear the set-ID bits the mode then puts
// back. Someone else's file keeps at least its group where the process
// belongs to it.
bool ReplacementFile::TakeAttributesOf(const std::string& target, std::string* error) {
  const int descriptor = static_cast<int>(handle_);
  struct stat existing {};
  mode_t mode;
  if (::stat(target.c_str(), &existing) == 0) {
    struct stat own {};
    if (::fstat(descriptor, &own) == 0 &&
        (own.st_uid != existing.st_uid || own.st_gid != existing.st_gid) &&
        ::fchown(descriptor, existing.st_uid, existing.st_gid) != 0) {
      static_cast<void>(::fchown(descriptor, static_cast<uid_t>(-1), existing.st_gid));
    }
    mode = existing.st_mode & 07777;
  } else {
    mode = 0666 & ~CurrentUmask();
  }
  if (::fchmod(descriptor, mode) != 0) {
    *error = Reason();
    return false;
  }
  return true;
}

bool ReplacementFile::SyncAndClose(std::string* error) {
  if (::fsync(static_cast<int>(handle_)) != 0) {
    *error = Reason();
    return false;
  }
  const int descriptor = static_cast<int>(handle_);
  handle_ = -1;
  if (::close(descriptor) != 0) {
    *error = Reason();
    return false;
  }
  return true;
}

void ReplacementFile::Close() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
    handle_ = -1;
  }
}

}  // namespace quendral::os
