#include "platform/os/resource_table.h"

#include <charconv>
#include <string>

#include "platform/os/ascii_case.h"

namespace quendral::os {
namespace {

constexpr unsigned kStringsPerBlock = 16;

// Reads little-endian fields front to back; every read fails once the bytes
// run out.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : rest_(bytes) {}

  bool at_end() const { return rest_.empty(); }

  std::optional<std::uint32_t> Number(std::size_t width) {
    if (rest_.size() < width) {
      return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = width; i > 0; --i) {
      value = (value << 8) | rest_[i - 1];
    }
    rest_ = rest_.subspan(width);
    return value;
  }

  std::optional<std::span<const std::uint8_t>> Bytes(std::size_t count) {
    if (rest_.size() < count) {
      return std::nullopt;
    }
    const std::span<const std::uint8_t> bytes = rest_.first(count);
    rest_ = rest_.subspan(count);
    return bytes;
  }

 private:
  std::span<const std::uint8_t> rest_;
};

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
  return number == 0 && EqualsIgnoringCase(std::get<std::string>(wanted), name);
}

}  // namespace

std::optional<std::span<const std::uint8_t>> FindTableResource(std::span<const std::uint8_t> table,
                                                               const ResourceType& type,
                                                               std::uint16_t id) {
  Reader reader(table);
  const auto signature = reader.Bytes(kResourceTableSignature.size());
  if (!signature || AsText(*signature) != kResourceTableSignature) {
    return std::nullopt;
  }
  const ResourceType wanted = Normalised(type);
  while (!reader.at_end()) {
    const auto number = reader.Number(2);
    if (!number) {
      return std::nullopt;
    }
    std::span<const std::uint8_t> name;
    if (*number == 0) {
      const auto length = reader.Number(1);
      const auto bytes = length ? reader.Bytes(*length) : std::nullopt;
      if (!bytes) {
        return std::nullopt;
      }
      name = *bytes;
    }
    const auto entry_id = reader.Number(2);
    const auto size = entry_id ? reader.Number(4) : std::nullopt;
    const auto data = size ? reader.Bytes(*size) : std::nullopt;
    if (!data) {
      return std::nullopt;
    }
    if (*entry_id == id && TypeMatches(wanted, static_cast<std::uint16_t>(*number), AsText(name))) {
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
  Reader reader(block);
  for (unsigned at = 0;; ++at) {
    const auto length = reader.Number(2);
    const auto bytes = length ? reader.Bytes(*length) : std::nullopt;
    if (!bytes) {
      return std::nullopt;
    }
    if (at == index) {
      return AsText(*bytes);
    }
  }
}

}  // namespace quendral::os
