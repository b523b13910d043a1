#include "platform/os/version_info.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

// The bytes from where VerQueryValueA points to the end of `info`. The
// system points into the buffer it was given (texts into the part of it kept
// for their 8-bit forms); a pointer anywhere else is not followed.
bool Query(std::span<const std::uint8_t> info, const std::string& sub_block,
           std::span<const std::uint8_t>* rest, UINT* length) {
  void* data = nullptr;
  if (info.size() > MAXDWORD || !::VerQueryValueA(info.data(), sub_block.c_str(), &data, length) ||
      data == nullptr) {
    return false;
  }
  const auto begin = reinterpret_cast<std::uintptr_t>(info.data());
  const auto at = reinterpret_cast<std::uintptr_t>(data);
  if (at < begin || at > begin + info.size()) {
    return false;
  }
  *rest = info.subspan(at - begin);
  return true;
}

}  // namespace

std::uint32_t VersionInfoSize(const std::string& path) {
  DWORD ignored = 0;
  return ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
}

bool ReadVersionInfo(const std::string& path, std::span<std::uint8_t> info) {
  return info.size() <= MAXDWORD &&
         ::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) !=
             FALSE;
}

bool QueryVersionValue(std::span<const std::uint8_t> info, const std::string& sub_block,
                       std::vector<std::uint8_t>* value) {
  std::span<const std::uint8_t> rest;
  UINT length = 0;
  if (!Query(info, sub_block, &rest, &length)) {
    return false;
  }
  rest = rest.first(std::min<std::size_t>(length, rest.size()));
  value->assign(rest.begin(), rest.end());
  return true;
}

bool QueryVersionText(std::span<const std::uint8_t> info, const std::string& sub_block,
                      std::string* text) {
  std::span<const std::uint8_t> rest;
  UINT length = 0;
  if (!Query(info, sub_block, &rest, &length)) {
    return false;
  }
  // The reported length counts characters, not bytes, so the text is taken
  // up to its terminator, within the buffer.
  const auto* chars = reinterpret_cast<const char*>(rest.data());
  text->assign(chars, ::strnlen(chars, rest.size()));
  return true;
}

}  // namespace quendral::os
