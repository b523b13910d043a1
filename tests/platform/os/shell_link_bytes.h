// Builds shell link files for tests, laid out as the shell writes them.
#ifndef QUENDRAL_TESTS_PLATFORM_OS_SHELL_LINK_BYTES_H_
#define QUENDRAL_TESTS_PLATFORM_OS_SHELL_LINK_BYTES_H_

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace quendral::os_test {

using Bytes = std::vector<std::uint8_t>;

inline void PutWord(Bytes* bytes, std::uint32_t value, int width = 4) {
  for (int i = 0; i < width; ++i) {
    bytes->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

inline void PutText(Bytes* bytes, const std::string& text) {
  bytes->insert(bytes->end(), text.begin(), text.end());
  bytes->push_back(0);
}

// A link file as the shell writes one: header, optional item-ID list, and
// link information with a local base path and/or a network share name.
inline Bytes LinkFile(const std::string& local_base, const std::string& share,
                      const std::string& suffix, bool with_item_list = false) {
  constexpr std::uint32_t kInfoHeader = 28;
  Bytes info;
  std::uint32_t flags = 0;
  Bytes strings;
  std::uint32_t local_at = 0;
  std::uint32_t network_at = 0;
  if (!local_base.empty()) {
    flags |= 1;
    local_at = kInfoHeader + static_cast<std::uint32_t>(strings.size());
    PutText(&strings, local_base);
  }
  if (!share.empty()) {
    flags |= 2;
    network_at = kInfoHeader + static_cast<std::uint32_t>(strings.size());
    PutWord(&strings, 0x14 + static_cast<std::uint32_t>(share.size()) + 1);
    PutWord(&strings, 0);
    PutWord(&strings, 0x14);
    PutWord(&strings, 0);
    PutWord(&strings, 0);
    PutText(&strings, share);
  }
  const std::uint32_t suffix_at = kInfoHeader + static_cast<std::uint32_t>(strings.size());
  PutText(&strings, suffix);
  PutWord(&info, kInfoHeader + static_cast<std::uint32_t>(strings.size()));
  PutWord(&info, kInfoHeader);
  PutWord(&info, flags);
  PutWord(&info, 0);
  PutWord(&info, local_at);
  PutWord(&info, network_at);
  PutWord(&info, suffix_at);
  info.insert(info.end(), strings.begin(), strings.end());

  Bytes file;
  PutWord(&file, 0x4C);
  const std::uint8_t link_class[] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  file.insert(file.end(), std::begin(link_class), std::end(link_class));
  PutWord(&file, 0x2 | (with_item_list ? 0x1 : 0));
  file.resize(0x4C, 0);
  if (with_item_list) {
    PutWord(&file, 6, 2);
    PutWord(&file, 0xDEADBEEF);
    PutWord(&file, 0, 2);
  }
  file.insert(file.end(), info.begin(), info.end());
  return file;
}

}  // namespace quendral::os_test

#endif  // QUENDRAL_TESTS_PLATFORM_OS_SHELL_LINK_BYTES_H_
