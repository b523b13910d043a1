#include "platform/os/version_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/os/version_block_writer.h"

namespace quendral::os {
namespace {

constexpr VersionString kStrings[] = {
    {"FileVersion", "1, 2, 0, 1"},
    {"FileDescription", "Bokm\xC3\xA5l \xF0\x9F\x98\x80"},  // "Bokmål 😀"
    {"Empty", ""},
};

VersionBlockSource Source() {
  VersionBlockSource source;
  source.file_version = {1, 2, 0, 1};
  source.product_version = {5, 6, 7, 8};
  source.file_flags_mask = 0x3F;
  source.file_os = 0x40004;
  source.file_type = 2;
  source.language = 0x0414;
  source.code_page = 0x04B0;
  source.strings = kStrings;
  return source;
}

std::uint32_t Dword(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
         (std::uint32_t{bytes[at + 3]} << 24);
}

std::optional<std::string> Text(std::span<const std::uint8_t> block, std::string_view path) {
  const std::optional<VersionBlockValue> value = FindVersionBlockValue(block, path);
  if (!value || !value->is_text) {
    return std::nullopt;
  }
  return DecodeUtf16Text(value->bytes);
}

void PutWord(std::vector<std::uint8_t>* block, std::size_t at, std::uint16_t value) {
  (*block)[at] = static_cast<std::uint8_t>(value);
  (*block)[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Offset of the first node whose key is `key`.
std::size_t NodeWithKey(const std::vector<std::uint8_t>& block, std::string_view key) {
  std::vector<std::uint8_t> utf16;
  for (char c : key) {
    utf16.push_back(static_cast<std::uint8_t>(c));
    utf16.push_back(0);
  }
  const auto found = std::search(block.begin(), block.end(), utf16.begin(), utf16.end());
  return static_cast<std::size_t>(found - block.begin()) - 6;
}

TEST(VersionBlock, RootValueIsTheFixedFileInformation) {
  const std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  for (std::string_view root : {"\\", "", "\\\\"}) {
    const std::optional<VersionBlockValue> fixed = FindVersionBlockValue(block, root);
    ASSERT_TRUE(fixed) << root;
    ASSERT_EQ(fixed->bytes.size(), 52u);
    EXPECT_FALSE(fixed->is_text);
    EXPECT_EQ(Dword(fixed->bytes, 0), 0xFEEF04BDu);
    EXPECT_EQ(Dword(fixed->bytes, 8), 0x00010002u);   // 1.2
    EXPECT_EQ(Dword(fixed->bytes, 12), 0x00000001u);  // 0.1
    EXPECT_EQ(Dword(fixed->bytes, 16), 0x00050006u);
    EXPECT_EQ(Dword(fixed->bytes, 20), 0x00070008u);
    EXPECT_EQ(Dword(fixed->bytes, 32), 0x40004u);
    EXPECT_EQ(Dword(fixed->bytes, 36), 2u);
  }
}

TEST(VersionBlock, RootNodeSpansTheWholeBlockAndKeepsTheStandardLayout) {
  const std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  EXPECT_EQ(block.size() % 4, 0u);
  EXPECT_EQ(block[0] | (block[1] << 8), static_cast<int>(block.size()));
  EXPECT_EQ(block[2] | (block[3] << 8), 52);
  EXPECT_EQ(DecodeUtf16Text(std::span(block).subspan(6, 32)), "VS_VERSION_INFO");
  // The key and its terminator end at 38; the value starts aligned, at 40.
  EXPECT_EQ(Dword(block, 40), 0xFEEF04BDu);
}

TEST(VersionBlock, TranslationNamesTheStringTable) {
  const std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  const std::optional<VersionBlockValue> translation =
      FindVersionBlockValue(block, "\\VarFileInfo\\Translation");
  ASSERT_TRUE(translation);
  EXPECT_FALSE(translation->is_text);
  EXPECT_EQ(std::vector<std::uint8_t>(translation->bytes.begin(), translation->bytes.end()),
            (std::vector<std::uint8_t>{0x14, 0x04, 0xB0, 0x04}));
  EXPECT_EQ(Text(block, "\\StringFileInfo\\041404B0\\FileVersion"), "1, 2, 0, 1");
}

TEST(VersionBlock, TranslationCanBeLeftOut) {
  VersionBlockSource source = Source();
  source.declares_translation = false;
  const std::vector<std::uint8_t> block = EncodeVersionBlock(source);
  EXPECT_FALSE(FindVersionBlockValue(block, "\\VarFileInfo\\Translation"));
  EXPECT_FALSE(FindVersionBlockValue(block, "\\VarFileInfo"));
  EXPECT_EQ(Text(block, "\\StringFileInfo\\041404b0\\FileVersion"), "1, 2, 0, 1");
}

TEST(VersionBlock, KeysCompareWithoutRegardToCase) {
  const std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  EXPECT_EQ(Text(block, "\\stringfileinfo\\041404b0\\FILEVERSION"), "1, 2, 0, 1");
  EXPECT_EQ(Text(block, "StringFileInfo\\041404B0\\FileVersion"), "1, 2, 0, 1");
}

TEST(VersionBlock, MissingKeysFindNothing) {
  const std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  EXPECT_FALSE(FindVersionBlockValue(block, "\\StringFileInfo\\040904B0\\FileVersion"));
  EXPECT_FALSE(FindVersionBlockValue(block, "\\StringFileInfo\\041404B0\\FileVersio"));
  EXPECT_FALSE(FindVersionBlockValue(block, "\\StringFileInfo\\041404B0\\FileVersion\\x"));
  EXPECT_FALSE(FindVersionBlockValue(block, "\\VarFileInfo\\Translation\\x"));
}

TEST(VersionBlock, TextsRoundTripThroughUtf16) {
  const std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  EXPECT_EQ(Text(block, "\\StringFileInfo\\041404B0\\FileDescription"), kStrings[1].value);
  EXPECT_EQ(Text(block, "\\StringFileInfo\\041404B0\\Empty"), "");
}

TEST(VersionBlock, EveryTruncationIsReadSafely) {
  const std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  for (std::size_t size = 0; size < block.size(); ++size) {
    // An exactly sized copy, so that a read past its end is caught.
    const std::vector<std::uint8_t> cut(block.begin(), block.begin() + size);
    EXPECT_FALSE(FindVersionBlockValue(cut, "\\StringFileInfo\\041404B0\\FileVersion"));
    EXPECT_FALSE(FindVersionBlockValue(cut, "\\"));
  }
}

TEST(VersionBlock, ChildOfZeroLengthEndsTheSearch) {
  std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  PutWord(&block, NodeWithKey(block, "FileVersion"), 0);
  EXPECT_FALSE(FindVersionBlockValue(block, "\\StringFileInfo\\041404B0\\FileDescription"));
}

TEST(VersionBlock, ChildLongerThanItsParentIsRefused) {
  std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  PutWord(&block, NodeWithKey(block, "FileVersion"), 0xFFF0);
  EXPECT_FALSE(FindVersionBlockValue(block, "\\StringFileInfo\\041404B0\\FileVersion"));
}

TEST(VersionBlock, KeyWithoutTerminatorIsRefused) {
  VersionString strings[] = {{"K", "v"}};
  VersionBlockSource source = Source();
  source.strings = strings;
  std::vector<std::uint8_t> block = EncodeVersionBlock(source);
  const std::size_t node = NodeWithKey(block, "K");
  PutWord(&block, node, 8);  // ends right after "K", before its terminator
  EXPECT_FALSE(FindVersionBlockValue(block, "\\StringFileInfo\\041404B0\\K"));
}

TEST(VersionBlock, TextLengthBeyondItsNodeIsCutToTheNode) {
  std::vector<std::uint8_t> block = EncodeVersionBlock(Source());
  PutWord(&block, NodeWithKey(block, "FileVersion") + 2, 0x7FFF);
  EXPECT_EQ(Text(block, "\\StringFileInfo\\041404B0\\FileVersion"), "1, 2, 0, 1");
}

TEST(VersionBlock, TooLongTextIsRefusedByTheWriter) {
  const std::string huge(40000, 'x');
  VersionString strings[] = {{"Huge", huge}};
  VersionBlockSource source = Source();
  source.strings = strings;
  EXPECT_THROW(EncodeVersionBlock(source), std::length_error);
}

std::string Decode(std::vector<std::uint8_t> bytes) { return DecodeUtf16Text(bytes); }

TEST(DecodeUtf16Text, WritesUtf8) {
  EXPECT_EQ(Decode({'A', 0, 0xE5, 0x00, 0xAC, 0x20}), "A\xC3\xA5\xE2\x82\xAC");  // Aå€
  EXPECT_EQ(Decode({0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80");               // 😀
}

TEST(DecodeUtf16Text, UnpairedSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Decode({0x3D, 0xD8, 'A', 0}),
            "\xEF\xBF\xBD"
            "A");
  EXPECT_EQ(Decode({0x00, 0xDE}), "\xEF\xBF\xBD");
  EXPECT_EQ(Decode({0x3D, 0xD8}), "\xEF\xBF\xBD");
}

TEST(DecodeUtf16Text, StopsAtTheTerminatorAndIgnoresAnOddByte) {
  EXPECT_EQ(Decode({'a', 0, 0, 0, 'b', 0}), "a");
  EXPECT_EQ(Decode({'a', 0, 'b'}), "a");
  EXPECT_EQ(Decode({}), "");
}

// The module's block is built at compile time by the same writer.
constexpr VersionString kConstantStrings[] = {{"FileVersion", "9, 9"}};
constexpr VersionBlockSource kConstantSource = {.file_version = {9, 9, 0, 0},
                                                .language = 0x0409,
                                                .code_page = 0x04B0,
                                                .strings = kConstantStrings};
constexpr auto kConstantBlock =
    EncodeToArray<VersionBlockWriter, EncodedSize<VersionBlockWriter>(kConstantSource)>(
        kConstantSource);

TEST(VersionBlock, CompileTimeBlockEqualsRunTimeBlock) {
  const std::vector<std::uint8_t> block = EncodeVersionBlock(kConstantSource);
  EXPECT_EQ(std::vector<std::uint8_t>(kConstantBlock.begin(), kConstantBlock.end()), block);
  EXPECT_EQ(Text(block, "\\StringFileInfo\\040904B0\\FileVersion"), "9, 9");
}

}  // namespace
}  // namespace quendral::os
