#include "platform/os/search_path.h"

#include <climits>
#include <vector>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

std::string SearchPathForFile(const std::string& name, const std::string& default_extension,
                              std::size_t max_length) {
  if (max_length == 0 || max_length > INT_MAX) {
    return {};
  }
  std::vector<char> buffer(max_length);
  const DWORD length = ::SearchPathA(
      nullptr, name.c_str(), default_extension.empty() ? nullptr : default_extension.c_str(),
      static_cast<DWORD>(max_length), buffer.data(), nullptr);
  // A length of the buffer or more is the size a longer path would need.
  if (length == 0 || length >= max_length) {
    return {};
  }
  return std::string(buffer.data(), length);
}

}  // namespace quendral::os
