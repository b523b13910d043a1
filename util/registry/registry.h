// Registry values: looking a text up in a list, reading a value from the
// current user's settings with a fallback to the machine's, storing a text,
// and deleting a key with everything below it. Outside Windows the values
// live in the settings store described in platform/os/registry_store.h.
#ifndef QUENDRAL_UTIL_REGISTRY_REGISTRY_H_
#define QUENDRAL_UTIL_REGISTRY_REGISTRY_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/registry_store.h"

namespace quendral::util {

// Root selectors.
inline constexpr int kRegistryCurrentUser = 1;
inline constexpr int kRegistryLocalMachine = 2;
// Read-place selector value: not yet known, try the current user, then the
// machine.
inline constexpr int kRegistryPlaceUnknown = 0;

// 1 when one of the first `count` entries of `list` (all of them for -1; a
// count past the end is taken as the list's size; none for any other
// negative count) equals `text` without regard to the case of ASCII letters,
// double-byte characters of the process's code page compared whole; else 0.
int FindInStringList(const std::vector<std::string>& list, const std::string& text, int count);

// Reads the value `value_name` of the key `key_path` into `buffer`
// (`buffer_size` bytes; its first four bytes, or fewer when smaller, are
// zeroed first). `place` selects where: kRegistryPlaceUnknown tries the
// current user, then the machine, and is set to where the key was found
// (kRegistryCurrentUser or kRegistryLocalMachine); either of those looks
// only there. Returns the number of bytes stored, or -1 when the key or
// value is missing, the value does not fit or the selector is not one of
// those three.
int ReadRegistryValue(const std::string& key_path, const std::string& value_name, void* buffer,
                      std::uint32_t buffer_size, int* place);

// Stores `text` with a terminating zero as a string value, creating the key
// (with `key_options`) under the root `root` (kRegistryCurrentUser or
// kRegistryLocalMachine). Returns the text's length plus 1 when it was
// stored, its length unchanged when anything failed or the root selector is
// unknown.
int WriteRegistryString(int root, std::uint32_t key_options, const std::string& key_path,
                        const std::string& value_name, std::string_view text);

// Deletes the key `key_path` below the open `parent` with all its subkeys.
// 0 on success, else the Windows error code of the first failure; subkeys
// deleted before it stay deleted.
long DeleteRegistryKeyTree(os::RegistryKey parent, const std::string& key_path);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_REGISTRY_REGISTRY_H_
