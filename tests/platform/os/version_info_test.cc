// The version calls on real module files: the module itself and the test
// modules, whose blocks the build made from the same source. On Windows the
// system reads the compiled resource; elsewhere the ELF section is read.
#include "platform/os/version_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/os/test_libraries.h"

namespace quendral::os {
namespace {

constexpr char kTable[] = "\\StringFileInfo\\041404B0\\";

std::vector<std::uint8_t> ReadInfo(const std::string& path) {
  const std::uint32_t size = VersionInfoSize(path);
  std::vector<std::uint8_t> info(size);
  if (size == 0 || !ReadVersionInfo(path, info)) {
    info.clear();
  }
  return info;
}

std::string Text(const std::vector<std::uint8_t>& info, const std::string& sub_block) {
  std::string text;
  EXPECT_TRUE(QueryVersionText(info, sub_block, &text)) << sub_block;
  return text;
}

std::uint32_t Dword(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
         (std::uint32_t{bytes[at + 3]} << 24);
}

class ModuleVersionInfo : public testing::Test {
 protected:
  void SetUp() override {
    info_ = ReadInfo(os_test::QuendralLibraryPath());
    ASSERT_FALSE(info_.empty()) << os_test::QuendralLibraryPath();
  }
  std::vector<std::uint8_t> info_;
};

TEST_F(ModuleVersionInfo, FixedInformation) {
  std::vector<std::uint8_t> fixed;
  ASSERT_TRUE(QueryVersionValue(info_, "\\", &fixed));
  ASSERT_EQ(fixed.size(), 52u);
  EXPECT_EQ(Dword(fixed, 0), 0xFEEF04BDu);
  EXPECT_EQ(Dword(fixed, 8), 0x00010002u);   // file version 1.2
  EXPECT_EQ(Dword(fixed, 12), 0x00000001u);  // .0.1
  EXPECT_EQ(Dword(fixed, 16), 0x00010002u);  // product version 1.2
  EXPECT_EQ(Dword(fixed, 20), 0x00000000u);  // .0.0
  EXPECT_EQ(Dword(fixed, 36), 2u);           // a DLL
}

TEST_F(ModuleVersionInfo, Translation) {
  std::vector<std::uint8_t> translation;
  ASSERT_TRUE(QueryVersionValue(info_, "\\VarFileInfo\\Translation", &translation));
  EXPECT_EQ(translation, (std::vector<std::uint8_t>{0x14, 0x04, 0xB0, 0x04}));
}

TEST_F(ModuleVersionInfo, Texts) {
  const std::string table = kTable;
  EXPECT_EQ(Text(info_, table + "FileVersion"), "1, 2, 0, 1");
  EXPECT_EQ(Text(info_, table + "ProductVersion"), "1, 2, 0, 0");
  EXPECT_EQ(Text(info_, table + "FileDescription"), "Fix Rich Text Field");
  EXPECT_EQ(Text(info_, table + "InternalName"), "QUENDRAL");
  EXPECT_EQ(Text(info_, table + "OriginalFilename"), "QUENDRAL.dll");
  EXPECT_EQ(Text(info_, table + "CompanyName"), "QUENDRAL developers");
  EXPECT_EQ(Text(info_, table + "LegalCopyright"), "Copyright (C) 2026 QUENDRAL developers");
  EXPECT_EQ(Text(info_, table + "ProductName"), "QUENDRAL");
  EXPECT_EQ(Text(info_, table + "Comments"),
            "Function FixRichtextFields removes hide when formulas in rich text fields. "
            "ChangeServerInLinks replaces server replica id in links in rich text fields");
}

TEST_F(ModuleVersionInfo, KeysCompareWithoutRegardToCase) {
  EXPECT_EQ(Text(info_, "\\stringfileinfo\\041404b0\\fileversion"), "1, 2, 0, 1");
}

TEST_F(ModuleVersionInfo, MissingValuesAreNotFound) {
  std::string text;
  std::vector<std::uint8_t> value;
  EXPECT_FALSE(QueryVersionText(info_, "\\StringFileInfo\\040904B0\\FileVersion", &text));
  EXPECT_FALSE(QueryVersionText(info_, std::string(kTable) + "NoSuchText", &text));
  EXPECT_FALSE(QueryVersionValue(info_, "\\VarFileInfo\\NoSuchValue", &value));
}

TEST(VersionInfo, TranslationOfAnotherModule) {
  const std::vector<std::uint8_t> info =
      ReadInfo(os_test::VersionModulePath("version_module_other_translation"));
  std::vector<std::uint8_t> translation;
  ASSERT_TRUE(QueryVersionValue(info, "\\VarFileInfo\\Translation", &translation));
  EXPECT_EQ(translation, (std::vector<std::uint8_t>{0x09, 0x04, 0xE4, 0x04}));
  EXPECT_EQ(Text(info, "\\StringFileInfo\\040904E4\\FileVersion"), "2, 4, 6, 8");
}

TEST(VersionInfo, ModuleWithoutTranslation) {
  const std::vector<std::uint8_t> info =
      ReadInfo(os_test::VersionModulePath("version_module_no_translation"));
  ASSERT_FALSE(info.empty());
  std::vector<std::uint8_t> translation;
  EXPECT_FALSE(QueryVersionValue(info, "\\VarFileInfo\\Translation", &translation));
  EXPECT_EQ(Text(info, "\\StringFileInfo\\040904B0\\FileVersion"), "9, 8, 7, 6");
}

TEST(VersionInfo, FileWithoutVersionInformation) {
  const std::string program = os_test::TestProgramPath();
  EXPECT_EQ(VersionInfoSize(program), 0u);
  std::vector<std::uint8_t> info(64);
  EXPECT_FALSE(ReadVersionInfo(program, info));
}

TEST(VersionInfo, MissingFile) {
  const std::string missing = os_test::VersionModulePath("no_such_module");
  EXPECT_EQ(VersionInfoSize(missing), 0u);
  std::vector<std::uint8_t> info(64);
  EXPECT_FALSE(ReadVersionInfo(missing, info));
}

TEST(VersionInfo, ReadStaysWithinASmallBuffer) {
  const std::string path = os_test::QuendralLibraryPath();
  const std::uint32_t size = VersionInfoSize(path);
  ASSERT_GT(size, 64u);
  std::vector<std::uint8_t> buffer(size, 0xEE);
  const std::span<std::uint8_t> small = std::span(buffer).first(64);
  ReadVersionInfo(path, small);
  EXPECT_TRUE(std::all_of(buffer.begin() + 64, buffer.end(), [](auto b) { return b == 0xEE; }));
}

}  // namespace
}  // namespace quendral::os
