#include "platform/os/special_folders.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace quendral::os {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// A base directory: the environment variable when it holds an absolute
// path, else `fallback` below the home directory.
std::string BaseDirectory(const char* variable, const std::string& home, const char* fallback) {
  const std::string value = Environment(variable);
  return !value.empty() && value.front() == '/' ? value : home + fallback;
}

std::string UserDirectory(const char* name, const std::string& home) {
  std::ifstream file(BaseDirectory("XDG_CONFIG_HOME", home, "/.config") + "/user-dirs.dirs");
  const std::string contents((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  std::string path;
  if (ParseUserDirectory(contents, name, home, &path)) {
    return path;
  }
  return std::string_view(name) == "XDG_DESKTOP_DIR" ? home + "/Desktop" : home;
}

std::string FolderPath(int folder, const std::string& home) {
  switch (folder) {
    case 0x00:
    case 0x10:
      return UserDirectory("XDG_DESKTOP_DIR", home);
    case 0x05:
      return UserDirectory("XDG_DOCUMENTS_DIR", home);
    case 0x0D:
      return UserDirectory("XDG_MUSIC_DIR", home);
    case 0x0E:
      return UserDirectory("XDG_VIDEOS_DIR", home);
    case 0x15:
      return UserDirectory("XDG_TEMPLATES_DIR", home);
    case 0x27:
      return UserDirectory("XDG_PICTURES_DIR", home);
    case 0x2E:
      return UserDirectory("XDG_PUBLICSHARE_DIR", home);
    case 0x1A:
      return BaseDirectory("XDG_CONFIG_HOME", home, "/.config");
    case 0x1C:
      return BaseDirectory("XDG_DATA_HOME", home, "/.local/share");
    case 0x20:
      return BaseDirectory("XDG_CACHE_HOME", home, "/.cache");
    case 0x28:
      return home;
    default:
      return "";
  }
}

bool IsDirectory(const std::string& path) {
  struct stat status {};
  return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool ReadSpecialFolderPath(int folder, std::string* path) {
  const std::string home = Environment("HOME");
  if (home.empty()) {
    return false;
  }
  std::string found = FolderPath(folder, home);
  if (!IsDirectory(found)) {
    return false;
  }
  *path = std::move(found);
  return true;
}

}  // namespace quendral::os
