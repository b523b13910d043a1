#include "platform/os/formats/resource_table.h"

#include <charconv>
#include <string>

#include "platform/base/ascii.h"
#include "platform/base/byte_reader.h"

namespace quendral::os {
namespace {

constexpr unsigned kStringsPerBlock = 16;

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A name "#<decimal>" stands for that type number, as on Windows.
ResourceType Normalised(const ResourceType& type) {
  const std::string* name = std::get_if<std::string>(&type);
  if (name == nullptr || name->size() < 2 || (*name)[0] != '#') {
    return type;
  }
  std::uint16_t number = 0;
  const char* end = name->data() + name->size();
  const auto [stop, error] = std::from_chars(name->data() + 1, end, number);
  if (error != std::errc() || stop != end) {
    return type;
  }
  return number;
}

bool TypeMatches(const ResourceType& wanted, std::uint16_t number, std::string_view name) {
  if (const std::uint16_t* wanted_number = std::get_if<std::uint16_t>(&wanted)) {
    return number != 0 && number == *wanted_number;
  }
  return number == 0 && base::EqualsIgnoringAsciiCase(std::get<std::string>(wanted), name);
}

}  // namespace

std::optional<std::span<const std::uint8_t>> FindTableResource(std::span<const std::uint8_t> table,
                                                               const ResourceType& type,
                                                               std::uint16_t id) {
  base::ByteReader reader(table);
  std::span<const std::uint8_t> signature;
  if (!reader.ReadBytes(kResourceTableSignature.size(), &signature) ||
      AsText(signature) != kResourceTableSignature) {
    return std::nullopt;
  }
  const ResourceType wanted = Normalised(type);
  while (!reader.at_end()) {
    std::uint16_t number = 0;
    if (!reader.ReadU16(&number)) {
      return std::nullopt;
    }
    std::span<const std::uint8_t> name;
    std::uint8_t name_length = 0;
    if (number == 0 && (!reader.ReadU8(&name_length) || !reader.ReadBytes(name_length, &name))) {
      return std::nullopt;
    }
    std::uint16_t entry_id = 0;
    std::uint32_t size = 0;
    std::span<const std::uint8_t> data;
    if (!reader.ReadU16(&entry_id) || !reader.ReadU32(&size) || !reader.ReadBytes(size, &data)) {
      return std::nullopt;
    }
    if (entry_id == id && TypeMatches(wanted, number, AsText(name))) {
      return data;
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> FindBlockString(std::span<const std::uint8_t> block,
                                                unsigned index) {
  if (index >= kStringsPerBlock) {
    return std::nullopt;
  }
  base::ByteReader reader(block);
  for (unsigned at = 0;; ++at) {
    std::uint16_t length = 0;
    std::span<const std::uint8_t> bytes;
    if (!reader.ReadU16(&length) || !reader.ReadBytes(length, &bytes)) {
      return std::nullopt;
    }
    if (at == index) {
      return AsText(bytes);
    }
  }
}

}  // namespace quendral::os
