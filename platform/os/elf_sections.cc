#include "platform/os/elf_sections.h"

#include <array>
#include <cstddef>
#include <vector>

namespace quendral::os {
namespace {

// Limits far above any real library, so that a hostile header cannot make us
// allocate or read without end.
constexpr std::uint64_t kMaxSectionTableBytes = std::uint64_t{1} << 24;
constexpr std::uint64_t kMaxNameTableBytes = std::uint64_t{1} << 24;

constexpr std::size_t kIdentSize = 16;
constexpr std::uint8_t kClass32 = 1;
constexpr std::uint8_t kClass64 = 2;
constexpr std::uint8_t kLittleEndian = 1;
constexpr std::uint8_t kBigEndian = 2;
constexpr std::uint32_t kNoBitsSection = 8;       // SHT_NOBITS: occupies no file space
constexpr std::uint16_t kExtendedIndex = 0xFFFF;  // SHN_XINDEX

// Where the fields we need lie, for one word size.
struct Layout {
  std::size_t header_size;
  std::size_t table_offset_at, table_offset_width;
  std::size_t entry_size_at, count_at, name_index_at;
  std::size_t min_entry_size;
  std::size_t offset_at, size_at, link_at, word_width;  // in a section header
};

constexpr Layout kLayout32 = {52, 0x20, 4, 0x2E, 0x30, 0x32, 0x28, 0x10, 0x14, 0x18, 4};
constexpr Layout kLayout64 = {64, 0x28, 8, 0x3A, 0x3C, 0x3E, 0x40, 0x18, 0x20, 0x28, 8};

class FieldReader {
 public:
  FieldReader(std::span<const std::uint8_t> bytes, bool little_endian)
      : bytes_(bytes), little_endian_(little_endian) {}

  std::uint64_t Read(std::size_t at, std::size_t width) const {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
      const std::size_t byte = little_endian_ ? width - 1 - i : i;
      value = (value << 8) | bytes_[at + byte];
    }
    return value;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  bool little_endian_;
};

struct Section {
  std::uint64_t name = 0;
  std::uint64_t type = 0;
  FileRegion region;
  std::uint64_t link = 0;
};

struct SectionTable {
  const Layout* layout = nullptr;
  bool little_endian = true;
  std::uint64_t offset = 0;
  std::uint64_t entry_size = 0;
  std::uint64_t count = 0;
  std::uint64_t name_index = 0;
};

Section ParseSection(const SectionTable& table, std::span<const std::uint8_t> entry) {
  const FieldReader fields(entry, table.little_endian);
  const Layout& layout = *table.layout;
  Section section;
  section.name = fields.Read(0, 4);
  section.type = fields.Read(4, 4);
  section.region.offset = fields.Read(layout.offset_at, layout.word_width);
  section.region.size = fields.Read(layout.size_at, layout.word_width);
  section.link = fields.Read(layout.link_at, 4);
  return section;
}

std::optional<Section> ReadSection(const ReadFileAt& read, const SectionTable& table,
                                   std::uint64_t index) {
  std::vector<std::uint8_t> entry(table.entry_size);
  if (!read(table.offset + index * table.entry_size, entry)) {
    return std::nullopt;
  }
  return ParseSection(table, entry);
}

std::optional<SectionTable> ReadSectionTable(const ReadFileAt& read) {
  std::array<std::uint8_t, 64> header{};
  if (!read(0, std::span(header).first(kIdentSize)) || header[0] != 0x7F || header[1] != 'E' ||
      header[2] != 'L' || header[3] != 'F') {
    return std::nullopt;
  }
  SectionTable table;
  if (header[4] == kClass32) {
    table.layout = &kLayout32;
  } else if (header[4] == kClass64) {
    table.layout = &kLayout64;
  } else {
    return std::nullopt;
  }
  if (header[5] != kLittleEndian && header[5] != kBigEndian) {
    return std::nullopt;
  }
  table.little_endian = header[5] == kLittleEndian;
  const Layout& layout = *table.layout;
  if (!read(0, std::span(header).first(layout.header_size))) {
    return std::nullopt;
  }
  const FieldReader fields(header, table.little_endian);
  table.offset = fields.Read(layout.table_offset_at, layout.table_offset_width);
  table.entry_size = fields.Read(layout.entry_size_at, 2);
  table.count = fields.Read(layout.count_at, 2);
  table.name_index = fields.Read(layout.name_index_at, 2);
  if (table.offset == 0 || table.entry_size < layout.min_entry_size) {
    return std::nullopt;
  }
  // Files with very many sections keep the true count and name-table index
  // in the first section header.
  if (table.count == 0 || table.name_index == kExtendedIndex) {
    std::optional<Section> first = ReadSection(read, table, 0);
    if (!first) {
      return std::nullopt;
    }
    if (table.count == 0) {
      table.count = first->region.size;
    }
    if (table.name_index == kExtendedIndex) {
      table.name_index = first->link;
    }
  }
  if (table.count > kMaxSectionTableBytes / table.entry_size || table.name_index >= table.count ||
      table.offset > UINT64_MAX - table.count * table.entry_size) {
    return std::nullopt;
  }
  return table;
}

// The zero-terminated name at `offset` of the name table; empty when it runs
// past the table's end.
std::string_view NameAt(std::span<const std::uint8_t> names, std::uint64_t offset) {
  if (offset >= names.size()) {
    return {};
  }
  const auto* begin = reinterpret_cast<const char*>(names.data()) + offset;
  const std::string_view rest(begin, names.size() - offset);
  const std::size_t length = rest.find('\0');
  return length == std::string_view::npos ? std::string_view() : rest.substr(0, length);
}

}  // namespace

std::optional<FileRegion> FindElfSection(const ReadFileAt& read, std::string_view name) {
  const std::optional<SectionTable> table = ReadSectionTable(read);
  if (!table || name.empty()) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> entries(table->count * table->entry_size);
  if (!read(table->offset, entries)) {
    return std::nullopt;
  }
  auto entry = [&](std::uint64_t index) {
    return ParseSection(*table,
                        std::span(entries).subspan(index * table->entry_size, table->entry_size));
  };
  const Section name_table = entry(table->name_index);
  if (name_table.type == kNoBitsSection || name_table.region.size > kMaxNameTableBytes) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> names(name_table.region.size);
  if (!read(name_table.region.offset, names)) {
    return std::nullopt;
  }
  for (std::uint64_t index = 0; index < table->count; ++index) {
    const Section section = entry(index);
    if (NameAt(names, section.name) == name) {
      if (section.type == kNoBitsSection) {
        return std::nullopt;
      }
      return section.region;
    }
  }
  return std::nullopt;
}

}  // namespace quendral::os
