#include "platform/os/module.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <vector>

#include "platform/os/directories.h"

namespace quendral::os {
namespace {

bool ExecutablePath(std::string* path) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) {
      return false;
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      path->assign(buffer.data(), static_cast<std::size_t>(length));
      return true;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

ModuleHandle ModuleContaining(const void* address) {
  Dl_info info;
  if (::dladdr(address, &info) == 0) {
    return nullptr;
  }
  return info.dli_fbase;
}

bool ModuleFilePath(ModuleHandle module, std::string* path) {
  if (module == nullptr) {
    return ExecutablePath(path);
  }
  Dl_info info;
  link_map* map = nullptr;
  if (::dladdr1(module, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 ||
      map == nullptr) {
    return false;
  }
  // The loader keeps no name for the executable itself.
  if (map->l_name == nullptr || map->l_name[0] == '\0') {
    return ExecutablePath(path);
  }
  std::string name = map->l_name;
  if (name[0] != '/') {
    const std::string directory = CurrentDirectory();
    if (directory.empty()) {
      return false;
    }
    name = JoinPath(directory, name);
  }
  *path = name;
  return true;
}

}  // namespace quendral::os
