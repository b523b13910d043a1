#include "platform/os/search_path.h"

#include <strings.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace quendral::os {
namespace {

namespace fs = std::filesystem;

bool IsRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// The file in `folder` named `name`, or named so but for letter case.
fs::path FindInFolder(const fs::path& folder, const std::string& name) {
  if (IsRegularFile(folder / name)) {
    return folder / name;
  }
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (::strcasecmp(entry->path().filename().c_str(), name.c_str()) == 0 &&
        IsRegularFile(entry->path())) {
      return entry->path();
    }
  }
  return {};
}

std::string WithDefaultExtension(const std::string& name, const std::string& extension) {
  return fs::path(name).has_extension() ? name : name + extension;
}

}  // namespace

std::string SearchPathForFile(const std::string& name, const std::string& default_extension,
                              std::size_t max_length) {
  const char* search_path = std::getenv("PATH");
  if (search_path == nullptr || name.empty()) {
    return {};
  }
  const std::string file_name = WithDefaultExtension(name, default_extension);
  std::string_view folders = search_path;
  while (true) {
    const std::size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    // An empty entry stands for the current folder.
    const fs::path found =
        FindInFolder(folder.empty() ? fs::path(".") : fs::path(folder), file_name);
    if (!found.empty()) {
      std::error_code error;
      const std::string absolute = fs::absolute(found, error).string();
      return error || absolute.size() >= max_length ? std::string() : absolute;
    }
    if (colon == std::string_view::npos) {
      return {};
    }
    folders.remove_prefix(colon + 1);
  }
}

}  // namespace quendral::os
