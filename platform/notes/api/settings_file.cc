#include "platform/notes/api/settings_file.h"

#include "platform/os/settings_file.h"

namespace quendral::platform {

bool DataDirectorySetting(const std::filesystem::path& data_directory, std::string_view name,
                          std::string* value) {
  const std::string file = (data_directory / "notes.ini").string();
  *value = os::ReadSettingsValue(file, "Notes", std::string(name), "", 4096);
  return true;
}

}  // namespace quendral::platform
