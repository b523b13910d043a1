#include "util/text/crc32_paths.h"
#include "util/text/text.h"

namespace quendral::util {
namespace {

constexpr std::uint32_t kPolynomial = 0x04C11DB7;

std::uint32_t ReverseBits(std::uint32_t value, int width) {
  std::uint32_t reversed = 0;
  for (int bit = 0; bit < width; ++bit) {
    reversed = (reversed << 1) | ((value >> bit) & 1U);
  }
  return reversed;
}

// The table of the reflected CRC, computed the way the polynomial is
// written: most significant bit first, reversed at both ends.
std::uint32_t TableEntry(std::uint32_t index) {
  std::uint32_t remainder = ReverseBits(index, 8) << 24;
  for (int step = 0; step < 8; ++step) {
    const bool carry = (remainder & 0x80000000U) != 0;
    remainder <<= 1;
    if (carry) {
      remainder ^= kPolynomial;
    }
  }
  return ReverseBits(remainder, 32);
}

}  // namespace

Crc32Table::Crc32Table() : entries_() {
  for (std::uint32_t i = 0; i < entries_.size(); ++i) {
    entries_[i] = TableEntry(i);
  }
}

std::uint32_t Crc32OfText(const Crc32Table& table, std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  return ~crc32::UpdateFastest(table, 0xFFFFFFFFU, data, text.size());
}

}  // namespace quendral::util

namespace quendral::util::crc32 {

std::uint32_t UpdateFastest(const Crc32Table& table, std::uint32_t crc, const unsigned char* data,
                            std::size_t size) {
  constexpr std::size_t kFoldedMinimum = 64;
  constexpr std::size_t kSlicedMinimum = 16;
  if (size >= kFoldedMinimum && HasCarrylessMultiply()) {
    const std::size_t folded = size & ~std::size_t{15};
    crc = UpdateFolded(crc, data, folded);
    data += folded;
    size -= folded;
  } else if (size >= kSlicedMinimum) {
    return UpdateSliced(crc, data, size);
  }
  return UpdateBytewise(table, crc, data, size);
}

}  // namespace quendral::util::crc32
