#include <array>

#include "platform/base/coding.h"
#include "util/text/crc32_paths.h"

namespace quendral::util::crc32 {
namespace {

constexpr std::size_t kSlices = 8;

// Entry i of table k is the running value after byte i and k zero bytes.
using SlicingTables = std::array<std::array<std::uint32_t, 256>, kSlices>;

SlicingTables BuildSlicingTables() {
  const Crc32Table base;
  SlicingTables tables{};
  for (std::size_t i = 0; i < 256; ++i) {
    tables[0][i] = base[i];
  }
  for (std::size_t k = 1; k < kSlices; ++k) {
    for (std::size_t i = 0; i < 256; ++i) {
      const std::uint32_t previous = tables[k - 1][i];
      tables[k][i] = (previous >> 8) ^ tables[0][previous & 0xFF];
    }
  }
  return tables;
}

const SlicingTables& Tables() {
  static const SlicingTables tables = BuildSlicingTables();
  return tables;
}

}  // namespace

std::uint32_t UpdateBytewise(const Crc32Table& table, std::uint32_t crc, const unsigned char* data,
                             std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    crc = (crc >> 8) ^ table[(crc ^ data[i]) & 0xFF];
  }
  return crc;
}

std::uint32_t UpdateSliced(std::uint32_t crc, const unsigned char* data, std::size_t size) {
  const SlicingTables& t = Tables();
  for (; size >= kSlices; data += kSlices, size -= kSlices) {
    const std::uint32_t low = base::LoadLittle32(data) ^ crc;
    const std::uint32_t high = base::LoadLittle32(data + 4);
    crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
          t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^
          t[0][high >> 24];
  }
  for (; size > 0; ++data, --size) {
    crc = (crc >> 8) ^ t[0][(crc ^ *data) & 0xFF];
  }
  return crc;
}

}  // namespace quendral::util::crc32
