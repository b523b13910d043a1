#include "platform/os/replacement_file.h"

#include <system_error>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

std::string Reason() { return std::system_category().message(static_cast<int>(::GetLastError())); }

HANDLE HandleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

constexpr std::intptr_t kNoHandle = -1;

}  // namespace

// CREATE_NEW fails on any existing name, a link's included, so nothing is
// written through one. Deletion is shared, so that the console handler can
// remove the file while it is open.
ReplacementFile::Created ReplacementFile::CreateExclusive(const std::string& name,
                                                          std::string* error) {
  HANDLE file = ::CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    *error = Reason();
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ? Created::kNameTaken
                                                                     : Created::kFailed;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return Created::kCreated;
}

bool ReplacementFile::WriteAll(const char* data, std::size_t size, std::string* error) {
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(HandleOf(handle_), data, chunk, &written, nullptr) || written == 0) {
      *error = Reason();
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

bool ReplacementFile::TakeAttributesOf(const std::string&, std::string*) { return true; }

bool ReplacementFile::SyncAndClose(std::string* error) {
  if (!::FlushFileBuffers(HandleOf(handle_))) {
    *error = Reason();
    return false;
  }
  HANDLE file = HandleOf(handle_);
  handle_ = kNoHandle;
  if (!::CloseHandle(file)) {
    *error = Reason();
    return false;
  }
  return true;
}

void ReplacementFile::Close() {
  if (handle_ != kNoHandle) {
    ::CloseHandle(HandleOf(handle_));
    handle_ = kNoHandle;
  }
}

}  // namespace quendral::os
