// Writes the resource table that resource_table.h reads. Usable at compile
// time, so that a module can carry its table as constant data (the build
// generates that source from the resource description); tests write tables
// at run time. Malformed sources (a duplicate resource or string, a string
// table among the resources, an over-long name or string) are refused with
// an exception, which at compile time stops the build.
#ifndef QUENDRAL_PLATFORM_OS_RESOURCE_TABLE_WRITER_H_
#define QUENDRAL_PLATFORM_OS_RESOURCE_TABLE_WRITER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/os/resource_table.h"
#include "platform/os/resources.h"
#include "platform/os/two_pass_encoder.h"

namespace quendral::os {

struct ResourceTableEntry {
  std::uint16_t type = 0;      // a standard type; 0 when the type is named
  std::string_view type_name;  // for a named type
  std::uint16_t id = 0;
  std::string_view data;
};

struct ResourceTableString {
  std::uint16_t id = 0;
  std::string_view text;  // UTF-8
};

struct ResourceTableSource {
  std::span<const ResourceTableEntry> resources;
  std::span<const ResourceTableString> strings;
};

class ResourceTableWriter {
 public:
  // Writes into `out`, which must hold the whole table; when null, only
  // counts the table's size.
  constexpr explicit ResourceTableWriter(std::uint8_t* out) : out_(out) {}

  constexpr std::size_t size() const { return size_; }

  constexpr void Write(const ResourceTableSource& source) {
    for (const char c : kResourceTableSignature) {
      Put(static_cast<std::uint8_t>(c), 1);
    }
    for (std::size_t i = 0; i < source.resources.size(); ++i) {
      CheckUnique(source.resources, i);
      WriteEntry(source.resources[i]);
    }
    for (std::size_t i = 0; i < source.strings.size(); ++i) {
      CheckUnique(source.strings, i);
    }
    WriteStringBlocks(source.strings);
  }

 private:
  static constexpr unsigned kStringsPerBlock = 16;
  static constexpr std::uint32_t kLastBlock = StringBlockId(0xFFFF);

  constexpr void Put(std::uint32_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
      if (out_ != nullptr) {
        out_[size_] = static_cast<std::uint8_t>(value >> (8 * i));
      }
      ++size_;
    }
  }
  constexpr void PutText(std::string_view text) {
    for (const char c : text) {
      Put(static_cast<std::uint8_t>(c), 1);
    }
  }

  static constexpr void CheckUnique(std::span<const ResourceTableEntry> entries, std::size_t i) {
    const ResourceTableEntry& entry = entries[i];
    if (entry.type == kStringTableResource) {
      throw std::invalid_argument("string table blocks are made from the strings");
    }
    if ((entry.type == 0) == entry.type_name.empty() || entry.type_name.size() > 0xFF) {
      throw std::invalid_argument("a resource type is a number or a name of 1 to 255 bytes");
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (entries[j].id == entry.id && entries[j].type == entry.type &&
          SameName(entries[j].type_name, entry.type_name)) {
        throw std::invalid_argument("duplicate resource");
      }
    }
  }
  static constexpr void CheckUnique(std::span<const ResourceTableString> strings, std::size_t i) {
    if (strings[i].text.size() > 0xFFFF) {
      throw std::length_error("string longer than 65535 bytes");
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (strings[j].id == strings[i].id) {
        throw std::invalid_argument("duplicate string");
      }
    }
  }
  // Type names compare without regard to case when they are looked up.
  static constexpr bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
      return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (Upper(a[i]) != Upper(b[i])) {
        return false;
      }
    }
    return true;
  }
  static constexpr char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }

  constexpr void WriteHeader(std::uint16_t type, std::string_view type_name, std::uint16_t id,
                             std::size_t data_size) {
    if (data_size > 0xFFFFFFFF) {
      throw std::length_error("resource larger than 4 GiB");
    }
    Put(type, 2);
    if (type == 0) {
      Put(static_cast<std::uint32_t>(type_name.size()), 1);
      PutText(type_name);
    }
    Put(id, 2);
    Put(static_cast<std::uint32_t>(data_size), 4);
  }
  constexpr void WriteEntry(const ResourceTableEntry& entry) {
    WriteHeader(entry.type, entry.type_name, entry.id, entry.data.size());
    PutText(entry.data);
  }

  // One block for each run of 16 identifiers that holds a string.
  constexpr void WriteStringBlocks(std::span<const ResourceTableString> strings) {
    for (std::uint32_t block = 1; block <= kLastBlock; ++block) {
      std::array<std::string_view, kStringsPerBlock> texts{};
      std::size_t size = 0;
      bool used = false;
      for (const ResourceTableString& string : strings) {
        if (StringBlockId(string.id) == block) {
          texts[StringBlockIndex(string.id)] = string.text;
          used = true;
        }
      }
      if (!used) {
        continue;
      }
      for (const std::string_view text : texts) {
        size += 2 + text.size();
      }
      WriteHeader(kStringTableResource, {}, static_cast<std::uint16_t>(block), size);
      for (const std::string_view text : texts) {
        Put(static_cast<std::uint32_t>(text.size()), 2);
        PutText(text);
      }
    }
  }

  std::uint8_t* out_;
  std::size_t size_ = 0;
};

inline std::vector<std::uint8_t> EncodeResourceTable(const ResourceTableSource& source) {
  return EncodeToVector<ResourceTableWriter>(source);
}

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_RESOURCE_TABLE_WRITER_H_
