// Small ELF files made in memory, for the tests of the section finder.
#ifndef QUENDRAL_TESTS_PLATFORM_OS_ELF_IMAGE_SUPPORT_H_
#define QUENDRAL_TESTS_PLATFORM_OS_ELF_IMAGE_SUPPORT_H_

#include <cstdint>
#include <string>
#include <vector>

namespace quendral::os_test {

inline constexpr std::uint32_t kProgBits = 1;
inline constexpr std::uint32_t kNoBits = 8;

struct ElfSectionSpec {
  std::string name;
  std::uint32_t type = kProgBits;
  std::vector<std::uint8_t> contents;
};

struct ElfImageSpec {
  bool is_64 = true;
  bool little_endian = true;
  std::vector<ElfSectionSpec> sections;  // a null section 0 and ".shstrtab" are added
};

// Header, then each section's contents, then the name table, then the
// section header table.
struct ElfImage {
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint64_t> content_offsets;  // of each spec'd section
  std::uint64_t table_offset = 0;
  std::size_t entry_size = 0;

  // Writes a header field of `width` bytes in the image's byte order.
  void Put(std::uint64_t at, std::size_t width, std::uint64_t value);
  // Offset of a field of section header `index` (0: the null section).
  std::uint64_t SectionField(std::size_t index, std::size_t field_at) const {
    return table_offset + index * entry_size + field_at;
  }
  bool little_endian = true;
};

ElfImage BuildElfImage(const ElfImageSpec& spec);

}  // namespace quendral::os_test

#endif  // QUENDRAL_TESTS_PLATFORM_OS_ELF_IMAGE_SUPPORT_H_
