#include "platform/os/elf_sections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/os/elf_image_support.h"

namespace quendral::os {
namespace {

using os_test::BuildElfImage;
using os_test::ElfImage;
using os_test::ElfImageSpec;

constexpr char kName[] = ".quendral_version";

ReadFileAt Reader(const std::vector<std::uint8_t>& file) {
  return [&file](std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > file.size() || file.size() - offset < out.size()) {
      return false;
    }
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
  };
}

std::optional<FileRegion> Find(const std::vector<std::uint8_t>& file,
                               std::string_view name = kName) {
  return FindElfSection(Reader(file), name);
}

ElfImageSpec Spec(bool is_64, bool little_endian) {
  ElfImageSpec spec;
  spec.is_64 = is_64;
  spec.little_endian = little_endian;
  spec.sections = {{".text", os_test::kProgBits, {1, 2, 3}},
                   {kName, os_test::kProgBits, {10, 20, 30, 40, 50}},
                   {".bss", os_test::kNoBits, std::vector<std::uint8_t>(64)}};
  return spec;
}

// Section header field offsets: name, size (64-bit / 32-bit).
constexpr std::size_t kNameField = 0;
std::size_t SizeField(bool is_64) { return is_64 ? 0x20 : 0x14; }

TEST(FindElfSection, FindsTheSectionInEveryWordSizeAndByteOrder) {
  for (bool is_64 : {true, false}) {
    for (bool little_endian : {true, false}) {
      const ElfImage image = BuildElfImage(Spec(is_64, little_endian));
      const std::optional<FileRegion> found = Find(image.bytes);
      ASSERT_TRUE(found) << is_64 << little_endian;
      EXPECT_EQ(found->offset, image.content_offsets[1]);
      ASSERT_EQ(found->size, 5u);
      EXPECT_EQ(image.bytes[found->offset + 4], 50);
    }
  }
}

TEST(FindElfSection, NamesMustMatchWhole) {
  const ElfImage image = BuildElfImage(Spec(true, true));
  EXPECT_FALSE(Find(image.bytes, ".quendral"));
  EXPECT_FALSE(Find(image.bytes, ".quendral_version2"));
  EXPECT_FALSE(Find(image.bytes, ""));
  EXPECT_TRUE(Find(image.bytes, ".text"));
}

TEST(FindElfSection, SectionWithoutFileContentsIsNotFound) {
  const ElfImage image = BuildElfImage(Spec(true, true));
  EXPECT_FALSE(Find(image.bytes, ".bss"));
}

TEST(FindElfSection, OtherFilesAreNotElf) {
  EXPECT_FALSE(Find({}));
  EXPECT_FALSE(Find({'M', 'Z', 0x90, 0}));
  for (std::size_t at : {0, 4, 5}) {
    ElfImage image = BuildElfImage(Spec(true, true));
    image.bytes[at] = 9;
    EXPECT_FALSE(Find(image.bytes)) << at;
  }
}

TEST(FindElfSection, EveryTruncationIsReadSafely) {
  const ElfImage image = BuildElfImage(Spec(false, false));
  for (std::size_t size = 0; size < image.bytes.size(); ++size) {
    const std::vector<std::uint8_t> cut(image.bytes.begin(), image.bytes.begin() + size);
    EXPECT_FALSE(Find(cut)) << size;
  }
}

TEST(FindElfSection, SectionTableOutsideTheFileIsRefused) {
  ElfImage image = BuildElfImage(Spec(true, true));
  image.Put(0x28, 8, image.bytes.size());
  EXPECT_FALSE(Find(image.bytes));
  image.Put(0x28, 8, ~std::uint64_t{0} - 8);
  EXPECT_FALSE(Find(image.bytes));
  image.Put(0x28, 8, 0);
  EXPECT_FALSE(Find(image.bytes));
}

TEST(FindElfSection, TooSmallEntrySizeIsRefused) {
  ElfImage image = BuildElfImage(Spec(true, true));
  image.Put(0x3A, 2, 0x3F);
  EXPECT_FALSE(Find(image.bytes));
}

TEST(FindElfSection, NameTableIndexBeyondTheTableIsRefused) {
  ElfImage image = BuildElfImage(Spec(true, true));
  image.Put(0x3E, 2, 5);  // five sections: 0..4
  EXPECT_FALSE(Find(image.bytes));
}

TEST(FindElfSection, ImpossibleSectionCountIsRefusedWithoutReadingIt) {
  ElfImage image = BuildElfImage(Spec(true, true));
  image.Put(0x3C, 2, 0);  // the true count is then in section 0
  image.Put(image.SectionField(0, SizeField(true)), 8, std::uint64_t{1} << 40);
  EXPECT_FALSE(Find(image.bytes));
}

TEST(FindElfSection, ExtendedNumberingIsFollowed) {
  ElfImage image = BuildElfImage(Spec(true, true));
  image.Put(0x3C, 2, 0);
  image.Put(image.SectionField(0, SizeField(true)), 8, 5);
  image.Put(0x3E, 2, 0xFFFF);
  image.Put(image.SectionField(0, 0x28), 4, 4);  // sh_link holds the name table index
  const std::optional<FileRegion> found = Find(image.bytes);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->size, 5u);
}

TEST(FindElfSection, NameOutsideTheNameTableIsSkipped) {
  ElfImage image = BuildElfImage(Spec(true, true));
  image.Put(image.SectionField(1, kNameField), 4, 0xFFFFFF);
  EXPECT_FALSE(Find(image.bytes, ".text"));
  EXPECT_TRUE(Find(image.bytes));
}

TEST(FindElfSection, NameRunningOffTheNameTableDoesNotMatch) {
  ElfImageSpec spec = Spec(true, true);
  spec.sections.push_back({".zzz", os_test::kProgBits, {1}});
  ElfImage image = BuildElfImage(spec);
  // Cut the name table's size so that ".shstrtab", its last name, loses its
  // terminator; ".zzz" before it stays whole.
  const std::uint64_t size_field = image.SectionField(5, SizeField(true));
  image.Put(size_field, 8, image.bytes[size_field] - 1);
  EXPECT_TRUE(Find(image.bytes, ".zzz"));
  EXPECT_FALSE(Find(image.bytes, ".shstrtab"));
}

TEST(FindElfSection, FailingReadsFindNothing) {
  const ElfImage image = BuildElfImage(Spec(true, true));
  int reads_left = 0;
  for (int allowed = 0; allowed < 4; ++allowed) {
    reads_left = allowed;
    const ReadFileAt flaky = [&](std::uint64_t offset, std::span<std::uint8_t> out) {
      return reads_left-- > 0 && Reader(image.bytes)(offset, out);
    };
    EXPECT_FALSE(FindElfSection(flaky, kName)) << allowed;
  }
}

}  // namespace
}  // namespace quendral::os
