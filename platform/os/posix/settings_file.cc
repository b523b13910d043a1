#include "platform/os/settings_file.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace quendral::os {

std::string ReadSettingsValue(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& default_value,
                              std::size_t max_length) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  std::string value = default_value;
  if (file && contents << file.rdbuf()) {
    ParseSettingsValue(contents.str(), section, key, &value);
  }
  value.resize(std::min(value.size(), max_length == 0 ? 0 : max_length - 1));
  return value;
}

}  // namespace quendral::os
