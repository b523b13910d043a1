#include "platform/notes/store/database_scan.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace quendral::platform::store {

namespace fs = std::filesystem;

bool LooksLikeDatabase(const fs::path& file) {
  static constexpr char kMagic[] = "SQLite format 3";  // 16 bytes with the zero
  char header[sizeof kMagic] = {};
  // Reading a FIFO would wait for a writer forever.
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    return false;
  }
  std::ifstream stream(file, std::ios::binary);
  return stream.read(header, sizeof header) && std::memcmp(header, kMagic, sizeof kMagic) == 0;
}

STATUS ScanDatabases(const fs::path& directory,
                     const std::function<void(const fs::path&, Store&)>& visit) {
  std::error_code error;
  if (!fs::is_directory(directory, error)) {
    return kErrDatabaseNotFound;
  }
  std::vector<fs::path> files;
  fs::recursive_directory_iterator walk(directory, fs::directory_options::skip_permission_denied,
                                        error);
  for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    if (!walk->is_symlink(error) && walk->is_regular_file(error)) {
      files.push_back(walk->path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::unique_ptr<Store> store;
    if (LooksLikeDatabase(file) && Store::Open(file, &store) == kNoError) {
      visit(file, *store);
    }
  }
  return kNoError;
}

}  // namespace quendral::platform::store
