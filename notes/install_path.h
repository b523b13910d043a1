// Where Lotus Notes is installed, as its setup recorded it in the registry:
// key "SOFTWARE\Lotus\Notes" of the machine, value "DataPath" for the data
// directory and "Path" for the program directory. Outside Windows the
// registry is the settings store of platform/os/registry_store.h.
#ifndef QUENDRAL_NOTES_INSTALL_PATH_H_
#define QUENDRAL_NOTES_INSTALL_PATH_H_

#include <cstdint>
#include <string>

namespace quendral {

// Empties `output`, then reads the data directory (`data_directory`
// nonzero) or the program directory (0) into it, as stored: up to its first
// zero byte, nothing expanded. Returns 1 when the value was read; 0, with
// `output` empty, when the key or value is missing or the value has more
// than 260 bytes.
std::int32_t ReadNotesInstallPath(std::string* output, std::int32_t data_directory);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_INSTALL_PATH_H_
