#include "util/registry/registry.h"

#include <algorithm>
#include <cstring>

#include "platform/base/ascii.h"
#include "util/text/characters.h"

namespace quendral::util {
namespace {

constexpr std::uint32_t kClearedPrefix = 4;

// Letters of one byte compare without case; a double-byte character only
// equals itself (its second byte may look like a letter).
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  const Characters characters(a);
  for (std::size_t at = 0; at < a.size();) {
    const std::size_t end = characters.End(at);
    const bool equal = end - at == 1 ? base::ToLowerAscii(a[at]) == base::ToLowerAscii(b[at])
                                     : a.compare(at, end - at, b, at, end - at) == 0;
    if (!equal) {
      return false;
    }
    at = end;
  }
  return true;
}

os::RegistryKey RootFor(int selector) {
  switch (selector) {
    case kRegistryCurrentUser:
      return os::CurrentUserRoot();
    case kRegistryLocalMachine:
      return os::LocalMachineRoot();
    default:
      return nullptr;
  }
}

int QueryAndClose(os::RegistryKey key, const std::string& value_name, void* buffer,
                  std::uint32_t buffer_size) {
  std::uint32_t size = buffer_size;
  const long result =
      os::RegistryQueryValue(key, value_name, static_cast<std::uint8_t*>(buffer), &size);
  os::RegistryCloseKey(key);
  return result == os::kRegistrySuccess ? static_cast<int>(size) : -1;
}

}  // namespace

int FindInStringList(const std::vector<std::string>& list, const std::string& text, int count) {
  constexpr int kWholeList = -1;
  if (count < kWholeList) {
    return 0;
  }
  const std::size_t limit =
      count == kWholeList ? list.size() : std::min(list.size(), static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < limit; ++i) {
    if (EqualIgnoringCase(list[i], text)) {
      return 1;
    }
  }
  return 0;
}

int ReadRegistryValue(const std::string& key_path, const std::string& value_name, void* buffer,
                      std::uint32_t buffer_size, int* place) {
  std::memset(buffer, 0, std::min(buffer_size, kClearedPrefix));
  for (const int root : {kRegistryCurrentUser, kRegistryLocalMachine}) {
    if (*place != kRegistryPlaceUnknown && *place != root) {
      continue;
    }
    os::RegistryKey key = nullptr;
    if (os::RegistryOpenKey(RootFor(root), key_path, os::RegistryAccess::kQuery, &key) ==
        os::kRegistrySuccess) {
      *place = root;
      return QueryAndClose(key, value_name, buffer, buffer_size);
    }
  }
  return -1;
}

int WriteRegistryString(int root, std::uint32_t key_options, const std::string& key_path,
                        const std::string& value_name, std::string_view text) {
  const int length = static_cast<int>(text.size());
  const os::RegistryKey root_key = RootFor(root);
  if (root_key == nullptr) {
    return length;
  }
  os::RegistryKey key = nullptr;
  if (os::RegistryCreateKey(root_key, key_path, key_options, &key) != os::kRegistrySuccess) {
    return length;
  }
  const std::string terminated(text);
  const long stored =
      os::RegistrySetValue(key, value_name, os::kRegistryString,
                           reinterpret_cast<const std::uint8_t*>(terminated.c_str()),
                           static_cast<std::uint32_t>(terminated.size() + 1));
  os::RegistryCloseKey(key);
  return stored == os::kRegistrySuccess ? length + 1 : length;
}

long DeleteRegistryKeyTree(os::RegistryKey parent, const std::string& key_path) {
  os::RegistryKey key = nullptr;
  const long opened = os::RegistryOpenKey(parent, key_path, os::RegistryAccess::kAll, &key);
  if (opened != os::kRegistrySuccess) {
    return opened;
  }
  std::string subkey;
  while (os::RegistryEnumerateKey(key, 0, &subkey) == os::kRegistrySuccess) {
    const long deleted = DeleteRegistryKeyTree(key, subkey);
    if (deleted != os::kRegistrySuccess) {
      os::RegistryCloseKey(key);
      return deleted;
    }
  }
  os::RegistryCloseKey(key);
  return os::RegistryDeleteKey(parent, key_path);
}

}  // namespace quendral::util
