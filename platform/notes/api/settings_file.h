// The settings file of a data directory (notes.ini), as formulas read it
// through @Environment: the value of "$Name" is the entry "Name" of its
// section "Notes".
#ifndef QUENDRAL_PLATFORM_NOTES_API_SETTINGS_FILE_H_
#define QUENDRAL_PLATFORM_NOTES_API_SETTINGS_FILE_H_

#include <filesystem>
#include <string>
#include <string_view>

namespace quendral::platform {

// The entry `name` of the settings file in `data_directory` ("" when the
// file or the entry is missing).
bool DataDirectorySetting(const std::filesystem::path& data_directory, std::string_view name,
                          std::string* value);

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_API_SETTINGS_FILE_H_
