// Resources outside Windows: the module file's ELF section
// kResourceSectionName holds the resource table, which is read from the file
// for each lookup. String tables are looked up in their blocks here, as the
// Windows string loader does.
#include "platform/os/resources.h"

#include <fstream>
#include <limits>
#include <optional>

#include "platform/os/elf_sections.h"
#include "platform/os/resource_table.h"

namespace quendral::os {
namespace {

// Far above any real table, so that a malformed file cannot make us
// allocate without end.
constexpr std::uint64_t kMaxTableSize = std::uint64_t{1} << 26;

std::optional<std::vector<std::uint8_t>> ReadResourceTable(ModuleHandle module) {
  std::string path;
  if (!ModuleFilePath(module, &path)) {
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  const ReadFileAt read = [&file](std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max())) {
      return false;
    }
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return file.gcount() == static_cast<std::streamsize>(out.size());
  };
  const std::optional<FileRegion> section = FindElfSection(read, kResourceSectionName);
  if (!section || section->size > kMaxTableSize) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> table(section->size);
  if (!read(section->offset, table)) {
    return std::nullopt;
  }
  return table;
}

}  // namespace

bool FindModuleResource(ModuleHandle module, const ResourceType& type, std::uint16_t id,
                        std::vector<std::uint8_t>* data) {
  const std::optional<std::vector<std::uint8_t>> table = ReadResourceTable(module);
  if (!table) {
    return false;
  }
  const auto found = FindTableResource(*table, type, id);
  if (!found) {
    return false;
  }
  data->assign(found->begin(), found->end());
  return true;
}

std::string LoadStringResource(ModuleHandle module, std::uint16_t id) {
  std::vector<std::uint8_t> block;
  if (!FindModuleResource(module, kStringTableResource, StringBlockId(id), &block)) {
    return std::string();
  }
  const std::optional<std::string_view> text = FindBlockString(block, StringBlockIndex(id));
  return text ? std::string(*text) : std::string();
}

}  // namespace quendral::os
