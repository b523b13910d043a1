#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/notes/richtext/records.h"

namespace quendral::platform::richtext {
namespace {

// A hide-when fixed part in canonical form, then the first formula byte.
constexpr std::uint8_t kCanonicalHideWhen[] = {0xBB, 0xFF, 0x20, 0x00, 0x34, 0x12, 0x01,
                                               0x00, 0x02, 0x80, 0xFF, 0xFF, 0x5A};

TEST(CanonicalStructureTest, HideWhenFixedPartLength) {
  EXPECT_EQ(CanonicalStructureLength(kStructureHideWhen), kHideWhenFixedPartLength);
  EXPECT_EQ(CanonicalStructureLength(0), 0);
  EXPECT_EQ(CanonicalStructureLength(357), 0);
}

TEST(CanonicalStructureTest, ReadsHideWhenFromEveryAlignment) {
  for (std::size_t shift = 0; shift < 8; ++shift) {
    std::vector<char> memory(shift + sizeof kCanonicalHideWhen);
    std::memcpy(memory.data() + shift, kCanonicalHideWhen, sizeof kCanonicalHideWhen);
    char* pointer = memory.data() + shift;
    HideWhenFixedPart part{};
    ReadCanonicalStructure(&pointer, kStructureHideWhen, &part, 1);

    EXPECT_EQ(part.signature, kSignatureHideWhen) << shift;
    EXPECT_EQ(part.length, 0x20) << shift;
    EXPECT_EQ(part.paragraph_definition_id, 0x1234) << shift;
    EXPECT_EQ(part.reserved[0], 0x0001) << shift;
    EXPECT_EQ(part.reserved[1], 0x8002) << shift;
    EXPECT_EQ(part.reserved[2], 0xFFFF) << shift;
    ASSERT_EQ(pointer, memory.data() + shift + kHideWhenFixedPartLength) << shift;
    EXPECT_EQ(*pointer, 0x5A) << shift;
  }
}

TEST(CanonicalStructureTest, ReadsSeveralIntoAnUnalignedDestination) {
  std::vector<char> source(std::size_t{2} * kHideWhenFixedPartLength);
  std::memcpy(source.data(), kCanonicalHideWhen, kHideWhenFixedPartLength);
  std::memcpy(source.data() + kHideWhenFixedPartLength, kCanonicalHideWhen,
              kHideWhenFixedPartLength);
  source[kHideWhenFixedPartLength + 4] = 0x07;
  alignas(HideWhenFixedPart) char destination[1 + 2 * sizeof(HideWhenFixedPart)];
  char* pointer = source.data();

  ReadCanonicalStructure(&pointer, kStructureHideWhen, destination + 1, 2);

  HideWhenFixedPart parts[2];
  std::memcpy(parts, destination + 1, sizeof parts);
  EXPECT_EQ(parts[0].paragraph_definition_id, 0x1234);
  EXPECT_EQ(parts[1].paragraph_definition_id, 0x1207);
  EXPECT_EQ(pointer, source.data() + source.size());
}

TEST(CanonicalStructureTest, UnknownTypeReadsNothing) {
  char source[4] = {1, 2, 3, 4};
  char* pointer = source;
  std::uint32_t destination = 0xCAFEF00D;
  ReadCanonicalStructure(&pointer, 42, &destination, 1);
  EXPECT_EQ(pointer, source);
  EXPECT_EQ(destination, 0xCAFEF00D);
}

}  // namespace
}  // namespace quendral::platform::richtext
