// Database paths from callers: whatever the text, a path that resolves lies
// inside the server's directory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/notes/api/location.h"

namespace {

namespace fs = std::filesystem;

// A server directory with a database, a subfolder and a link that leads out.
const fs::path& ServerDirectory() {
  static const fs::path directory = [] {
    const fs::path root = fs::temp_directory_path() / "quendral-location-fuzz";
    fs::create_directories(root / "data" / "apps");
    fs::create_directories(root / "outside");
    std::ofstream(root / "data" / "apps" / "names.nsf") << "x";
    std::ofstream(root / "outside" / "secret.nsf") << "x";
    std::error_code ignored;
    fs::create_directory_symlink(root / "outside", root / "data" / "out", ignored);
    return fs::canonical(root / "data");
  }();
  return directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  if (path.find('\0') != std::string_view::npos) {
    return 0;
  }
  fs::path file;
  if (quendral::platform::ResolveDatabasePath(ServerDirectory(), path, &file) !=
      quendral::platform::kNoError)
    return 0;
  const std::string inside = ServerDirectory().string() + "/";
  if (file.string().compare(0, inside.size(), inside) != 0) {
    std::abort();
  }
  return 0;
}
