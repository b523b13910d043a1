#include "platform/base/byte_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace quendral::base {
namespace {

constexpr std::array<std::uint8_t, 8> kBytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};

TEST(ByteReader, ReadsFieldsInOrderAndKeepsCount) {
  ByteReader reader(kBytes);
  std::uint8_t u8 = 0;
  std::uint16_t u16 = 0;
  std::uint32_t u32 = 0;
  std::span<const std::uint8_t> run;
  ASSERT_TRUE(reader.ReadU8(&u8));
  ASSERT_TRUE(reader.ReadU16(&u16));
  ASSERT_TRUE(reader.ReadU32(&u32));
  EXPECT_EQ(u8, 0x01);
  EXPECT_EQ(u16, 0x0302);
  EXPECT_EQ(u32, 0x07060504U);
  EXPECT_EQ(reader.position(), 7U);
  EXPECT_EQ(reader.remaining(), 1U);
  ASSERT_TRUE(reader.ReadBytes(1, &run));
  EXPECT_EQ(run.data(), kBytes.data() + 7);  // the caller's bytes, not a copy
  EXPECT_TRUE(reader.at_end());

  const std::array<std::uint8_t, 8> one = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
  double number = 0;
  ASSERT_TRUE(ByteReader(one).ReadDouble(&number));
  EXPECT_EQ(number, 1.0);
}

// Every read that needs more than is left fails without consuming anything
// or touching its output, so that the caller can report the spot it stopped at.
TEST(ByteReader, ReadPastTheEndFailsAndConsumesNothing) {
  struct Case {
    std::size_t left;
    bool (*read)(ByteReader*);
  };
  const Case cases[] = {
      {0,
       [](ByteReader* r) {
         std::uint8_t v = 7;
         return r->ReadU8(&v) || v != 7;
       }},
      {1,
       [](ByteReader* r) {
         std::uint16_t v = 7;
         return r->ReadU16(&v) || v != 7;
       }},
      {3,
       [](ByteReader* r) {
         std::uint32_t v = 7;
         return r->ReadU32(&v) || v != 7;
       }},
      {7,
       [](ByteReader* r) {
         std::uint64_t v = 7;
         return r->ReadU64(&v) || v != 7;
       }},
      {7,
       [](ByteReader* r) {
         double v = 7;
         return r->ReadDouble(&v) || v != 7;
       }},
      {2,
       [](ByteReader* r) {
         std::span<const std::uint8_t> run;
         return r->ReadBytes(3, &run) || !run.empty();
       }},
      {2, [](ByteReader* r) { return r->Skip(3); }},
      {2, [](ByteReader* r) { return r->Skip(SIZE_MAX); }},
      {2, [](ByteReader* r) { return r->Seek(kBytes.size() + 1); }},
  };
  for (const Case& c : cases) {
    ByteReader reader{std::span(kBytes).last(c.left)};
    EXPECT_FALSE(c.read(&reader)) << "with " << c.left << " bytes left";
    EXPECT_EQ(reader.remaining(), c.left);
    EXPECT_EQ(reader.position(), 0U);
  }
}

TEST(ByteReader, SeeksAnywhereUpToTheEnd) {
  ByteReader reader(kBytes);
  std::uint16_t value = 0;
  ASSERT_TRUE(reader.Seek(6));
  ASSERT_TRUE(reader.ReadU16(&value));
  EXPECT_EQ(value, 0x0807);
  ASSERT_TRUE(reader.Seek(kBytes.size()));
  EXPECT_TRUE(reader.at_end());
  ASSERT_TRUE(reader.Seek(0));
  EXPECT_EQ(reader.remaining(), kBytes.size());
}

TEST(ByteReader, EmptyInputWithoutAddressIsAtItsEnd) {
  ByteReader reader(nullptr, 0);
  std::uint8_t value = 0;
  EXPECT_TRUE(reader.at_end());
  EXPECT_FALSE(reader.ReadU8(&value));
  EXPECT_TRUE(reader.Skip(0));
}

}  // namespace
}  // namespace quendral::base
