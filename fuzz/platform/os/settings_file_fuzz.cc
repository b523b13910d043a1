// Settings-file text of any shape: reading a value must neither crash nor
// read outside the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/os/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  std::string value;
  quendral::os::ParseSettingsValue(contents, "Notes", "SDI_WINDOW", &value);
  quendral::os::ParseSettingsValue(contents, " notes ", "", &value);
  return 0;
}
