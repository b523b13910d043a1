#include "platform/base/coding.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace quendral::base {
namespace {

constexpr std::array<std::uint8_t, 8> kBytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xF8};

TEST(Coding, LoadsLittleAndBigEndianOfEveryWidth) {
  EXPECT_EQ(LoadLittle16(kBytes.data()), 0x0201);
  EXPECT_EQ(LoadLittle32(kBytes.data()), 0x04030201U);
  EXPECT_EQ(LoadLittle64(kBytes.data()), 0xF807060504030201ULL);
  EXPECT_EQ(LoadBig(kBytes.data(), 2), 0x0102U);
  EXPECT_EQ(LoadBig(kBytes.data(), 8), 0x01020304050607F8ULL);
}

TEST(Coding, LoadsFromCharsWithTheHighBitSetAsUnsigned) {
  const char bytes[] = {'\xFF', '\x80'};
  EXPECT_EQ(LoadLittle16(bytes), 0x80FF);
}

TEST(Coding, StoresAndAppendsWhatLoadsReadBack) {
  std::array<std::uint8_t, 8> stored{};
  StoreLittle64(stored.data(), 0xF807060504030201ULL);
  EXPECT_EQ(stored, kBytes);
  StoreLittle16(stored.data(), 0xBEEF);
  EXPECT_EQ(LoadLittle16(stored.data()), 0xBEEF);
  EXPECT_EQ(stored[2], 0x03);  // nothing past the field

  std::vector<std::uint8_t> appended;
  AppendLittle16(&appended, 0x0201);
  AppendLittle32(&appended, 0x06050403);
  AppendLittle16(&appended, 0xF807);
  EXPECT_EQ(appended, std::vector<std::uint8_t>(kBytes.begin(), kBytes.end()));

  std::vector<std::uint8_t> one;
  AppendLittleDouble(&one, 1.0);
  EXPECT_EQ(LoadLittle64(one.data()), 0x3FF0000000000000ULL);
}

TEST(Coding, WorksAtCompileTime) {
  constexpr std::uint32_t kRoundTrip = [] {
    std::array<std::uint8_t, 4> bytes{};
    StoreLittle32(bytes.data(), 0xCAFEF00D);
    return LoadLittle32(bytes.data());
  }();
  static_assert(kRoundTrip == 0xCAFEF00D);
}

}  // namespace
}  // namespace quendral::base
