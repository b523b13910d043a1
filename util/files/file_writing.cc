#include "util/files/file_writing.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/os/file_system.h"
#include "util/files/files.h"
#include "util/files/files_error_message.h"

namespace quendral::util {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The stdio mode for the flags. Line ends are translated here, not by the
// C library, so that they are the same on every platform.
const char* OpenMode(std::uint32_t flags) {
  if ((flags & kFileCreate) == 0) {
    return "r+b";
  }
  return (flags & kFileKeepContent) != 0 ? "ab" : "wb";
}

std::string WithCarriageReturns(std::string_view text) {
  std::string stored;
  stored.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') {
      stored += '\r';
    }
    stored += c;
  }
  return stored;
}

int Fail(int error_number, std::string* error_message) {
  *error_message = ErrorMessage(error_number != 0 ? error_number : EIO);
  return 1;
}

int WriteAtEnd(const std::string& path, std::string_view bytes, std::string* error_message,
               std::uint32_t flags) {
  if ((flags & (kFileWrite | kFileReadWrite)) == 0) {
    return Fail(EBADF, error_message);
  }
  errno = 0;
  File file(std::fopen(os::NativePath(path).c_str(), OpenMode(flags)));
  if (file == nullptr) {
    return Fail(errno, error_message);
  }
  const std::string translated =
      (flags & kFileBinary) != 0 ? std::string() : WithCarriageReturns(bytes);
  const std::string_view stored = (flags & kFileBinary) != 0 ? bytes : translated;
  if (std::fseek(file.get(), 0, SEEK_END) != 0 ||
      std::fwrite(stored.data(), 1, stored.size(), file.get()) != stored.size() ||
      std::fflush(file.get()) != 0) {
    return Fail(errno, error_message);
  }
  if (std::fclose(file.release()) != 0) {
    return Fail(errno, error_message);
  }
  return 0;
}

}  // namespace

int WriteTextFile(const std::string& path, std::string_view text, std::string* error_message,
                  std::uint32_t flags, bool clean_path, bool create_directory) {
  std::string target = path;
  if (clean_path) {
    SanitizePath(&target, false);
  }
  if (create_directory) {
    CreateDirectoryForFile(target);
  }
  return WriteAtEnd(target, text, error_message, flags == 0 ? kFileDefaultTextFlags : flags);
}

int WriteBytesToFile(const std::string& path, const void* data, std::size_t size,
                     std::string* error_message, std::uint32_t flags) {
  return WriteAtEnd(path, std::string_view(static_cast<const char*>(data), size), error_message,
                    flags);
}

}  // namespace quendral::util
