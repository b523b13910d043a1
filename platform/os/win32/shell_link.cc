#include "platform/os/shell_link.h"

#include "platform/os/win32/windows_headers.h"
// After windows.h.
#include <objbase.h>
#include <shlobj.h>

#include "platform/os/win32/system_libraries.h"

namespace quendral::os {
namespace {

constexpr CLSID kShellLinkClass = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kShellLinkInterface = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kPersistFileInterface = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

std::string StoredPath(IShellLinkA* link, const std::string& link_path) {
  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(kPersistFileInterface, reinterpret_cast<void**>(&file)))) {
    return {};
  }
  std::string target;
  WCHAR wide_path[MAX_PATH] = {};
  char path[MAX_PATH] = {};
  WIN32_FIND_DATAA found;
  if (::MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide_path, MAX_PATH) != 0 &&
      SUCCEEDED(file->Load(wide_path, STGM_READ)) &&
      SUCCEEDED(link->GetPath(path, MAX_PATH, &found, SLGP_UNCPRIORITY))) {
    target = path;
  }
  file->Release();
  return target;
}

}  // namespace

std::string ResolveShellLink(const std::string& link_path) {
  const Ole32Entries* ole = Ole32();
  if (ole == nullptr) {
    return {};
  }
  IShellLinkA* link = nullptr;
  if (FAILED(ole->create_instance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER,
                                  kShellLinkInterface, reinterpret_cast<void**>(&link)))) {
    return {};
  }
  std::string target = StoredPath(link, link_path);
  link->Release();
  return target;
}

}  // namespace quendral::os
