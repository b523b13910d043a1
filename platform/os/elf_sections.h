// Finds a named section of an ELF file (the format of executables and shared
// libraries outside Windows), reading only the file header, the section
// header table and the table of section names. Both word sizes and both byte
// orders are understood. The file is outside input: every offset, size and
// count is checked before it is used.
#ifndef QUENDRAL_PLATFORM_OS_ELF_SECTIONS_H_
#define QUENDRAL_PLATFORM_OS_ELF_SECTIONS_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace quendral::os {

struct FileRegion {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

// Fills all of `out` from the file at `offset`; false when the file is too
// short or cannot be read.
using ReadFileAt = std::function<bool(std::uint64_t offset, std::span<std::uint8_t> out)>;

// Where the contents of the section called `name` lie in the file. Nothing
// when the file is not ELF, is malformed, has no such section, or the section
// occupies no space in the file.
std::optional<FileRegion> FindElfSection(const ReadFileAt& read, std::string_view name);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_ELF_SECTIONS_H_
