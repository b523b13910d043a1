// Reading values from settings files of sections and "key=value" lines (the
// Windows profile files, "*.ini").
//
// On Windows this is GetPrivateProfileStringA. Elsewhere the file is read and
// parsed by ParseSettingsValue, which follows the same rules: section and key
// names match without regard to letter case, blanks around names and values
// are dropped, and a value wholly within double or single quotes loses them.
#ifndef QUENDRAL_PLATFORM_OS_SETTINGS_FILE_H_
#define QUENDRAL_PLATFORM_OS_SETTINGS_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quendral::os {

// The value of `key` in `section` of the settings file at `path`, cut to
// `max_length` - 1 characters; `default_value` when the file, the section or
// the key is missing.
std::string ReadSettingsValue(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& default_value,
                              std::size_t max_length);

// The value of `key` in `section` of settings-file text; false when there is
// none. The first matching line of the first matching section counts.
bool ParseSettingsValue(std::string_view contents, std::string_view section, std::string_view key,
                        std::string* value);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_SETTINGS_FILE_H_
