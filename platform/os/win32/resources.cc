#include "platform/os/resources.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

// A string of the table has at most 65535 UTF-16 units, each at most three
// bytes in the ANSI code page.
constexpr int kMaxStringBytes = 4 * 65536;

HMODULE Handle(ModuleHandle module) { return static_cast<HMODULE>(module); }

}  // namespace

bool FindModuleResource(ModuleHandle module, const ResourceType& type, std::uint16_t id,
                        std::vector<std::uint8_t>* data) {
  const std::uint16_t* number = std::get_if<std::uint16_t>(&type);
  const LPCSTR type_name =
      number != nullptr ? MAKEINTRESOURCEA(*number) : std::get<std::string>(type).c_str();
  const HRSRC found = ::FindResourceA(Handle(module), MAKEINTRESOURCEA(id), type_name);
  if (found == nullptr) {
    return false;
  }
  const DWORD size = ::SizeofResource(Handle(module), found);
  const HGLOBAL loaded = ::LoadResource(Handle(module), found);
  const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(loaded));
  if (bytes == nullptr && size != 0) {
    return false;
  }
  data->assign(bytes, bytes + size);
  return true;
}

std::string LoadStringResource(ModuleHandle module, std::uint16_t id) {
  // The loader cuts what does not fit and says only how much it copied, so
  // the buffer grows until the string leaves room to spare.
  for (int size = 256; size <= kMaxStringBytes; size *= 2) {
    std::string buffer(static_cast<std::size_t>(size), '\0');
    const int length = ::LoadStringA(Handle(module), id, buffer.data(), size);
    if (length <= 0) {
      return std::string();
    }
    if (length < size - 1 || size == kMaxStringBytes) {
      buffer.resize(static_cast<std::size_t>(length));
      return buffer;
    }
  }
  return std::string();
}

}  // namespace quendral::os
