#include "platform/notes/api/location.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/base/ascii.h"
#include "platform/os/special_folders.h"

namespace quendral::platform {
namespace {

namespace fs = std::filesystem;

// True when `path` is `directory` or lies below it; both must be canonical.
bool IsInside(const fs::path& path, const fs::path& directory) {
  auto [directory_end, path_at] =
      std::mismatch(directory.begin(), directory.end(), path.begin(), path.end());
  // A trailing separator of the directory leaves an empty last component.
  return directory_end == directory.end() ||
         (std::next(directory_end) == directory.end() && directory_end->empty());
}

}  // namespace

fs::path DefaultDataDirectory() {
  const char* configured = std::getenv(kDataDirectoryVariable);
  if (configured != nullptr && *configured != '\0') {
    return fs::path(configured);
  }
  const std::string home = os::HomeFolder();
  return (!home.empty() ? fs::path(home) : fs::path(".")) / "notesdata";
}

STATUS ResolveServerDirectory(const fs::path& data_directory, std::string_view server,
                              fs::path* directory) {
  if (server.empty()) {
    *directory = data_directory;
    return kNoError;
  }
  std::ifstream file(data_directory / kServersFileName);
  if (!file) {
    return kErrUnknownServer;
  }
  nlohmann::json servers = nlohmann::json::parse(file, nullptr, false);
  if (!servers.is_object()) {
    return kErrUnknownServer;
  }
  for (const auto& [name, location] : servers.items()) {
    if (location.is_string() && base::EqualsIgnoringAsciiCase(name, server)) {
      fs::path place(location.get<std::string>());
      *directory = place.is_absolute() ? place : data_directory / place;
      return kNoError;
    }
  }
  return kErrUnknownServer;
}

STATUS ResolveDatabasePath(const fs::path& server_directory, std::string_view path,
                           fs::path* file) {
  if (path.empty()) {
    return kErrDatabaseNotFound;
  }
  std::string separated(path);
  std::replace(separated.begin(), separated.end(), '\\', '/');
  fs::path named(separated);
  std::error_code error;
  fs::path base = fs::weakly_canonical(server_directory, error);
  if (error) {
    return kErrDatabaseNotFound;
  }
  // Resolving symbolic links before the check catches links that lead out.
  fs::path resolved = fs::weakly_canonical(named.is_absolute() ? named : base / named, error);
  if (error) {
    return kErrDatabaseNotFound;
  }
  if (!IsInside(resolved, base)) {
    return kErrPathOutsideDataDirectory;
  }
  if (!fs::is_regular_file(resolved, error)) {
    return kErrDatabaseNotFound;
  }
  *file = resolved;
  return kNoError;
}

}  // namespace quendral::platform
