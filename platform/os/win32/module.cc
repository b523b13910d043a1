#include "platform/os/module.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

// The longest path the system hands out.
constexpr DWORD kMaxPathLength = 32768;

}  // namespace

ModuleHandle ModuleContaining(const void* address) {
  HMODULE module = nullptr;
  if (!::GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(address), &module)) {
    return nullptr;
  }
  return module;
}

bool ModuleFilePath(ModuleHandle module, std::string* path) {
  // A path that fills the buffer may have been cut short (and older systems
  // leave it unterminated then), so the buffer grows until the path fits.
  for (DWORD size = MAX_PATH; size <= kMaxPathLength; size *= 2) {
    std::string buffer(size, '\0');
    const DWORD length = ::GetModuleFileNameA(static_cast<HMODULE>(module), buffer.data(), size);
    if (length == 0) {
      return false;
    }
    if (length < size) {
      buffer.resize(length);
      *path = buffer;
      return true;
    }
  }
  return false;
}

}  // namespace quendral::os
