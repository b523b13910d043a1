#include "platform/os/elf_image_support.h"

namespace quendral::os_test {
namespace {

struct Widths {
  std::size_t header, entry, word;
};

}  // namespace

void ElfImage::Put(std::uint64_t at, std::size_t width, std::uint64_t value) {
  for (std::size_t i = 0; i < width; ++i) {
    const std::size_t shift = 8 * (little_endian ? i : width - 1 - i);
    bytes[at + i] = static_cast<std::uint8_t>(value >> shift);
  }
}

ElfImage BuildElfImage(const ElfImageSpec& spec) {
  const Widths widths = spec.is_64 ? Widths{64, 64, 8} : Widths{52, 40, 4};
  ElfImage image;
  image.little_endian = spec.little_endian;
  image.entry_size = widths.entry;
  image.bytes.assign(widths.header, 0);
  image.bytes[0] = 0x7F;
  image.bytes[1] = 'E';
  image.bytes[2] = 'L';
  image.bytes[3] = 'F';
  image.bytes[4] = spec.is_64 ? 2 : 1;
  image.bytes[5] = spec.little_endian ? 1 : 2;
  image.bytes[6] = 1;

  std::vector<ElfSectionSpec> sections = spec.sections;
  sections.push_back({".shstrtab", kProgBits, {}});
  std::vector<std::uint32_t> name_offsets;
  std::vector<std::uint8_t>& names = sections.back().contents;
  names.push_back(0);
  for (const ElfSectionSpec& section : sections) {
    name_offsets.push_back(static_cast<std::uint32_t>(names.size()));
    names.insert(names.end(), section.name.begin(), section.name.end());
    names.push_back(0);
  }
  for (const ElfSectionSpec& section : sections) {
    image.content_offsets.push_back(image.bytes.size());
    if (section.type != kNoBits) {
      image.bytes.insert(image.bytes.end(), section.contents.begin(), section.contents.end());
    }
  }
  image.table_offset = image.bytes.size();
  image.bytes.resize(image.bytes.size() + (sections.size() + 1) * widths.entry, 0);

  const bool wide = spec.is_64;
  image.Put(wide ? 0x28 : 0x20, widths.word, image.table_offset);
  image.Put(wide ? 0x3A : 0x2E, 2, widths.entry);
  image.Put(wide ? 0x3C : 0x30, 2, sections.size() + 1);
  image.Put(wide ? 0x3E : 0x32, 2, sections.size());  // the name table is last
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const std::uint64_t entry = image.SectionField(i + 1, 0);
    image.Put(entry, 4, name_offsets[i]);
    image.Put(entry + 4, 4, sections[i].type);
    image.Put(entry + (wide ? 0x18 : 0x10), widths.word, image.content_offsets[i]);
    image.Put(entry + (wide ? 0x20 : 0x14), widths.word, sections[i].contents.size());
  }
  return image;
}

}  // namespace quendral::os_test
