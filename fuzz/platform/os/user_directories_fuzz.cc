// User directories files of any shape: looking a directory up must neither
// crash nor read outside the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/os/special_folders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  std::string path;
  quendral::os::ParseUserDirectory(contents, "XDG_DESKTOP_DIR", "/home/user", &path);
  quendral::os::ParseUserDirectory(contents, "", "", &path);
  return 0;
}
