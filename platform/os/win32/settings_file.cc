#include "platform/os/settings_file.h"

#include <climits>
#include <vector>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

std::string ReadSettingsValue(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& default_value,
                              std::size_t max_length) {
  if (max_length == 0 || max_length > INT_MAX) {
    return {};
  }
  std::vector<char> buffer(max_length);
  const DWORD length =
      ::GetPrivateProfileStringA(section.c_str(), key.c_str(), default_value.c_str(), buffer.data(),
                                 static_cast<DWORD>(max_length), path.c_str());
  return std::string(buffer.data(), length);
}

}  // namespace quendral::os
