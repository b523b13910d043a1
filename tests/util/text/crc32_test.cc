// The CRC-32 checksum: the standard check value, and every fast road against
// the byte-wise reference.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "util/text/crc32_paths.h"
#include "util/text/text.h"

namespace quendral::util {
namespace {

constexpr std::size_t kLongest = 4096;
// Vector loads are 16 bytes wide, so 16 offsets meet every case.
constexpr std::size_t kAlignments = 16;

std::vector<unsigned char> RandomBytes(std::size_t size) {
  std::mt19937 generator(12345);
  std::vector<unsigned char> bytes(size);
  for (unsigned char& byte : bytes) {
    byte = static_cast<unsigned char>(generator());
  }
  return bytes;
}

TEST(Crc32, StandardCheckValue) {
  const Crc32Table table;
  EXPECT_EQ(Crc32OfText(table, "123456789"), 0xCBF43926U);
  EXPECT_EQ(Crc32OfText(table, ""), 0U);
  EXPECT_EQ(Crc32OfText(table, "The quick brown fox jumps over the lazy dog"), 0x414FA339U);
}

TEST(Crc32, TableIsTheReflectedPolynomials) {
  const Crc32Table table;
  EXPECT_EQ(table[0], 0U);
  EXPECT_EQ(table[1], 0x77073096U);
  EXPECT_EQ(table[128], 0xEDB88320U);
  EXPECT_EQ(table[255], 0x2D02EF8DU);
}

TEST(Crc32, ZeroBytesInsideTheTextCount) {
  const Crc32Table table;
  EXPECT_NE(Crc32OfText(table, std::string("a\0b", 3)), Crc32OfText(table, "a"));
  EXPECT_EQ(Crc32OfText(table, std::string(1, '\0')), 0xD202EF8DU);
}

// Every length up to kLongest at every offset into a 16-byte line.
template <typename Road>
void ExpectSameAsReference(Road road) {
  const Crc32Table table;
  const std::vector<unsigned char> bytes = RandomBytes(kLongest + kAlignments);
  for (std::size_t offset = 0; offset < kAlignments; ++offset) {
    const unsigned char* data = bytes.data() + offset;
    for (std::size_t size = 0; size <= kLongest; ++size) {
      const std::uint32_t expected = crc32::UpdateBytewise(table, 0xFFFFFFFFU, data, size);
      ASSERT_EQ(road(table, data, size), expected) << "size " << size << " offset " << offset;
    }
  }
}

TEST(Crc32, FastestRoadEqualsReference) {
  ExpectSameAsReference([](const Crc32Table& table, const unsigned char* data, std::size_t size) {
    return crc32::UpdateFastest(table, 0xFFFFFFFFU, data, size);
  });
}

TEST(Crc32, SlicedRoadEqualsReference) {
  ExpectSameAsReference([](const Crc32Table&, const unsigned char* data, std::size_t size) {
    return crc32::UpdateSliced(0xFFFFFFFFU, data, size);
  });
}

TEST(Crc32, FoldedRoadEqualsReference) {
  if (!crc32::HasCarrylessMultiply()) {
    GTEST_SKIP() << "this processor has no carry-less multiplication";
  }
  ExpectSameAsReference([](const Crc32Table& table, const unsigned char* data, std::size_t size) {
    const std::size_t folded = size >= 64 ? size & ~std::size_t{15} : 0;
    const std::uint32_t crc =
        folded == 0 ? 0xFFFFFFFFU : crc32::UpdateFolded(0xFFFFFFFFU, data, folded);
    return crc32::UpdateBytewise(table, crc, data + folded, size - folded);
  });
}

TEST(Crc32, RunningValueContinuesAcrossPieces) {
  const Crc32Table table;
  const std::vector<unsigned char> bytes = RandomBytes(1000);
  const std::uint32_t whole = crc32::UpdateFastest(table, 0xFFFFFFFFU, bytes.data(), 1000);
  const std::uint32_t first = crc32::UpdateFastest(table, 0xFFFFFFFFU, bytes.data(), 333);
  EXPECT_EQ(crc32::UpdateFastest(table, first, bytes.data() + 333, 667), whole);
}

}  // namespace
}  // namespace quendral::util
