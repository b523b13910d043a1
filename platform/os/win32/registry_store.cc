#include "platform/os/registry_store.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

HKEY ToKey(RegistryKey key) { return static_cast<HKEY>(key); }

REGSAM AccessMask(RegistryAccess access) {
  switch (access) {
    case RegistryAccess::kQuery:
      return KEY_QUERY_VALUE;
    case RegistryAccess::kReadWrite:
      return KEY_READ | KEY_WRITE;
    case RegistryAccess::kAll:
      break;
  }
  return KEY_ALL_ACCESS;
}

}  // namespace

RegistryKey CurrentUserRoot() { return HKEY_CURRENT_USER; }
RegistryKey LocalMachineRoot() { return HKEY_LOCAL_MACHINE; }

long RegistryOpenKey(RegistryKey parent, const std::string& path, RegistryAccess access,
                     RegistryKey* key) {
  HKEY opened = nullptr;
  const LONG result = ::RegOpenKeyExA(ToKey(parent), path.c_str(), 0, AccessMask(access), &opened);
  *key = opened;
  return result;
}

long RegistryCreateKey(RegistryKey parent, const std::string& path, std::uint32_t options,
                       RegistryKey* key) {
  HKEY opened = nullptr;
  const LONG result = ::RegCreateKeyExA(ToKey(parent), path.c_str(), 0, nullptr, options,
                                        KEY_READ | KEY_WRITE, nullptr, &opened, nullptr);
  *key = opened;
  return result;
}

long RegistryQueryValue(RegistryKey key, const std::string& name, std::uint8_t* data,
                        std::uint32_t* size) {
  DWORD length = *size;
  const LONG result = ::RegQueryValueExA(ToKey(key), name.c_str(), nullptr, nullptr, data, &length);
  *size = length;
  return result;
}

long RegistrySetValue(RegistryKey key, const std::string& name, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t size) {
  return ::RegSetValueExA(ToKey(key), name.c_str(), 0, type, data, size);
}

long RegistryEnumerateKey(RegistryKey key, std::uint32_t index, std::string* name) {
  char buffer[256];
  DWORD length = sizeof(buffer);
  const LONG result =
      ::RegEnumKeyExA(ToKey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) {
    name->assign(buffer, length);
  }
  return result;
}

long RegistryDeleteKey(RegistryKey parent, const std::string& path) {
  return ::RegDeleteKeyA(ToKey(parent), path.c_str());
}

void RegistryCloseKey(RegistryKey key) { ::RegCloseKey(ToKey(key)); }

}  // namespace quendral::os
