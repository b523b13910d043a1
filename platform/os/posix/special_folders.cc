#include "platform/os/special_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

// The effective user's home directory in the password database.
std::string PasswordDatabaseHome() {
  const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr) {
    return "";
  }
  return found->pw_dir;
}

}  // namespace

std::string HomeFolder() {
  std::string home = Environment("HOME");
  return !home.empty() ? home : PasswordDatabaseHome();
}

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
