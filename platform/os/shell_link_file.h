// Reads the target path out of a shell link (.lnk) file, from the file's
// publicly documented layout: the header, the optional item-ID list, then
// the link information with the local base path, the network share name and
// the common path suffix. The file is outside input: every size and offset
// is checked against the bytes there are.
#ifndef QUENDRAL_PLATFORM_OS_SHELL_LINK_FILE_H_
#define QUENDRAL_PLATFORM_OS_SHELL_LINK_FILE_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quendral::os {

// The target path, preferring the network form ("\\server\share\suffix")
// over the local one ("C:\base\suffix") as the shell does when asked for
// the network path. Nothing when the bytes are no shell link or the link
// records its target only as an item-ID list.
std::optional<std::string> ShellLinkTarget(std::span<const std::uint8_t> file);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_SHELL_LINK_FILE_H_
