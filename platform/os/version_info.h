// Version information of files, read the way the Win32 version calls read a
// module's version resource. Outside Windows a module carries the same block
// (the VS_VERSIONINFO layout) in the ELF section kVersionSectionName.
#ifndef QUENDRAL_PLATFORM_OS_VERSION_INFO_H_
#define QUENDRAL_PLATFORM_OS_VERSION_INFO_H_

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quendral::os {

inline constexpr char kVersionSectionName[] = ".quendral_version";

// Bytes needed to hold the version information of the file at `path`; 0 when
// the file cannot be read or carries none.
std::uint32_t VersionInfoSize(const std::string& path);

// Reads the version information of the file at `path` into `info`, cut to
// the buffer's size. False when the file cannot be read or carries none.
bool ReadVersionInfo(const std::string& path, std::span<std::uint8_t> info);

// The value that a sub-block path names in version information read by
// ReadVersionInfo: "\\" names the fixed file information,
// "\\VarFileInfo\\Translation" the translation array,
// "\\StringFileInfo\\041404B0\\FileVersion" a text. Keys compare without
// regard to case. False when the path names no value.
bool QueryVersionValue(std::span<const std::uint8_t> info, const std::string& sub_block,
                       std::vector<std::uint8_t>* value);

// As QueryVersionValue, for a text: in the process's 8-bit characters
// (UTF-8 outside Windows), without its terminator.
bool QueryVersionText(std::span<const std::uint8_t> info, const std::string& sub_block,
                      std::string* text);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_VERSION_INFO_H_
