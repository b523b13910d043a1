// Version information outside Windows: the module file's ELF section
// kVersionSectionName holds the block, which is read like a version resource.
#include "platform/os/version_info.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>

#include "platform/os/elf_sections.h"
#include "platform/os/version_block.h"

namespace quendral::os {
namespace {

// A block's length is a 16-bit number; a larger section is no version block.
constexpr std::uint64_t kMaxVersionBlockSize = 0xFFFF;

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~ReadOnlyFile() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool is_open() const { return fd_ >= 0; }

  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    while (!out.empty()) {
      if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return false;
      }
      const ssize_t got = ::pread(fd_, out.data(), out.size(), static_cast<off_t>(offset));
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got <= 0) {
        return false;
      }
      out = out.subspan(static_cast<std::size_t>(got));
      offset += static_cast<std::uint64_t>(got);
    }
    return true;
  }

 private:
  int fd_;
};

std::optional<FileRegion> FindVersionSection(const ReadOnlyFile& file) {
  if (!file.is_open()) {
    return std::nullopt;
  }
  std::optional<FileRegion> section =
      FindElfSection([&file](std::uint64_t offset,
                             std::span<std::uint8_t> out) { return file.ReadAt(offset, out); },
                     kVersionSectionName);
  if (!section || section->size == 0 || section->size > kMaxVersionBlockSize) {
    return std::nullopt;
  }
  return section;
}

}  // namespace

std::uint32_t VersionInfoSize(const std::string& path) {
  const ReadOnlyFile file(path);
  const std::optional<FileRegion> section = FindVersionSection(file);
  return section ? static_cast<std::uint32_t>(section->size) : 0;
}

bool ReadVersionInfo(const std::string& path, std::span<std::uint8_t> info) {
  const ReadOnlyFile file(path);
  const std::optional<FileRegion> section = FindVersionSection(file);
  if (!section) {
    return false;
  }
  const std::size_t size = std::min<std::size_t>(section->size, info.size());
  return file.ReadAt(section->offset, info.first(size));
}

bool QueryVersionValue(std::span<const std::uint8_t> info, const std::string& sub_block,
                       std::vector<std::uint8_t>* value) {
  const std::optional<VersionBlockValue> found = FindVersionBlockValue(info, sub_block);
  if (!found) {
    return false;
  }
  value->assign(found->bytes.begin(), found->bytes.end());
  return true;
}

bool QueryVersionText(std::span<const std::uint8_t> info, const std::string& sub_block,
                      std::string* text) {
  const std::optional<VersionBlockValue> found = FindVersionBlockValue(info, sub_block);
  if (!found || !found->is_text) {
    return false;
  }
  *text = DecodeUtf16Text(found->bytes);
  return true;
}

}  // namespace quendral::os
