#include "platform/os/directories.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

// Runs a call that fills a buffer with a directory and returns its length,
// or the size it needs (terminator included) when the buffer is too small.
// The directory may change between two calls, hence the few attempts.
template <typename Call>
std::string ReadDirectory(Call call) {
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto length = static_cast<std::size_t>(call(buffer.data(), buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);
  }
  return {};
}

}  // namespace

const char kPathSeparator = '\\';

std::string CurrentDirectory() {
  return ReadDirectory([](char* buffer, std::size_t size) {
    return ::GetCurrentDirectoryA(static_cast<DWORD>(size), buffer);
  });
}

std::string WindowsDirectory() {
  return ReadDirectory([](char* buffer, std::size_t size) {
    return ::GetWindowsDirectoryA(buffer, static_cast<UINT>(size));
  });
}

std::string SystemDirectory() {
  return ReadDirectory([](char* buffer, std::size_t size) {
    return ::GetSystemDirectoryA(buffer, static_cast<UINT>(size));
  });
}

}  // namespace quendral::os
