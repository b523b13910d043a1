// The settings store: keys holding named, typed values, under two roots.
//
// On Windows this is the registry (RegOpenKeyExA and its kin). Elsewhere it
// is a store of ours with the same results: one SQLite file per root, the
// current user's under the user's configuration directory
// ($XDG_CONFIG_HOME, else ~/.config, then quendral/registry.sqlite) and the
// machine's at /var/lib/quendral/registry.sqlite; the environment variables
// QUENDRAL_REGISTRY_CURRENT_USER and QUENDRAL_REGISTRY_LOCAL_MACHINE name
// other files instead. Key and value names there are compared without
// regard to the case of ASCII letters, as Windows does; key paths are
// separated by backslashes. A key created volatile there lasts as long as
// the process that created it (Windows keeps one until the system restarts);
// a key opened for query only refuses to store values.
//
// Results are Windows error codes on every platform.
#ifndef QUENDRAL_PLATFORM_OS_REGISTRY_STORE_H_
#define QUENDRAL_PLATFORM_OS_REGISTRY_STORE_H_

#include <cstdint>
#include <string>

namespace quendral::os {

// An open key, or one of the roots (which are never closed).
using RegistryKey = void*;

RegistryKey CurrentUserRoot();
RegistryKey LocalMachineRoot();

inline constexpr long kRegistrySuccess = 0;
inline constexpr long kRegistryNotFound = 2;       // ERROR_FILE_NOT_FOUND
inline constexpr long kRegistryAccessDenied = 5;   // ERROR_ACCESS_DENIED
inline constexpr long kRegistryMoreData = 234;     // ERROR_MORE_DATA
inline constexpr long kRegistryNoMoreItems = 259;  // ERROR_NO_MORE_ITEMS

// Value types, as Windows numbers them.
inline constexpr std::uint32_t kRegistryString = 1;  // REG_SZ

enum class RegistryAccess { kQuery, kReadWrite, kAll };

// Key options of RegistryCreateKey, as Windows numbers them.
inline constexpr std::uint32_t kRegistryOptionVolatile = 1;  // REG_OPTION_VOLATILE

long RegistryOpenKey(RegistryKey parent, const std::string& path, RegistryAccess access,
                     RegistryKey* key);

// Opens the key, creating it and every missing key above it.
long RegistryCreateKey(RegistryKey parent, const std::string& path, std::uint32_t options,
                       RegistryKey* key);

// Copies the value's data into `data` (`*size` bytes of room; `data` may be
// null to ask for the size only) and sets `*size` to its length. When the
// room is too small: kRegistryMoreData with `*size` set to the length.
long RegistryQueryValue(RegistryKey key, const std::string& name, std::uint8_t* data,
                        std::uint32_t* size);

long RegistrySetValue(RegistryKey key, const std::string& name, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t size);

// The name of the subkey at `index`; kRegistryNoMoreItems past the last.
long RegistryEnumerateKey(RegistryKey key, std::uint32_t index, std::string* name);

// Deletes a key without subkeys (kRegistryAccessDenied when it has some).
long RegistryDeleteKey(RegistryKey parent, const std::string& path);

void RegistryCloseKey(RegistryKey key);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_REGISTRY_STORE_H_
