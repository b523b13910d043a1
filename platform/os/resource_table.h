// The resource table a module carries outside Windows, where executables
// have no resource section: the contents of the ELF section
// kResourceSectionName, written by resource_table_writer.h from the build's
// resource description. All numbers are little-endian:
//
//   the signature "QRT1", then one entry after the other:
//     u16 type number, 0 when the type is named,
//     for a named type: u8 length and the name,
//     u16 identifier, u32 data size, the data.
//
// String table blocks (type 6) hold 16 strings, each a u16 byte length and
// its UTF-8 bytes; a string not defined is empty.
//
// The table is read from module files, which are outside input: every
// length is checked against what is left.
#ifndef QUENDRAL_PLATFORM_OS_RESOURCE_TABLE_H_
#define QUENDRAL_PLATFORM_OS_RESOURCE_TABLE_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/os/resources.h"

namespace quendral::os {

inline constexpr char kResourceSectionName[] = ".quendral_resources";
inline constexpr std::string_view kResourceTableSignature = "QRT1";

// The data of the first entry of `type` and `id`. Nothing when there is none
// or the table is malformed before it.
std::optional<std::span<const std::uint8_t>> FindTableResource(std::span<const std::uint8_t> table,
                                                               const ResourceType& type,
                                                               std::uint16_t id);

// String `index` (0 to 15) of a string table block; nothing when the block
// is malformed before its end.
std::optional<std::string_view> FindBlockString(std::span<const std::uint8_t> block,
                                                unsigned index);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_RESOURCE_TABLE_H_
