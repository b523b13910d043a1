// Reading values out of settings-file text, and out of files.
#include "platform/os/settings_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace quendral::os {
namespace {

std::string Value(std::string_view contents, std::string_view section, std::string_view key) {
  std::string value = "<none>";
  ParseSettingsValue(contents, section, key, &value);
  return value;
}

constexpr std::string_view kNotesIni =
    "[Notes]\r\n"
    "Directory=C:\\Notes\\Data\r\n"
    "  SDI_WINDOW = 1  \r\n"
    "Quoted=\"a b\"\r\n"
    "[Other]\r\n"
    "SDI_WINDOW=0\r\n";

TEST(SettingsFile, FindsKeysOfTheirOwnSection) {
  EXPECT_EQ(Value(kNotesIni, "Notes", "SDI_WINDOW"), "1");
  EXPECT_EQ(Value(kNotesIni, "Other", "SDI_WINDOW"), "0");
  EXPECT_EQ(Value(kNotesIni, "Notes", "Directory"), "C:\\Notes\\Data");
}

TEST(SettingsFile, NamesMatchWithoutLetterCase) {
  EXPECT_EQ(Value(kNotesIni, "NOTES", "sdi_window"), "1");
}

TEST(SettingsFile, QuotesAroundAValueAreDropped) {
  EXPECT_EQ(Value(kNotesIni, "Notes", "Quoted"), "a b");
}

TEST(SettingsFile, MissingSectionOrKeyGivesNothing) {
  EXPECT_EQ(Value(kNotesIni, "Missing", "SDI_WINDOW"), "<none>");
  EXPECT_EQ(Value(kNotesIni, "Notes", "Missing"), "<none>");
  EXPECT_EQ(Value("SDI_WINDOW=1\n", "Notes", "SDI_WINDOW"), "<none>");
  EXPECT_EQ(Value("", "Notes", "SDI_WINDOW"), "<none>");
  EXPECT_EQ(Value("[Notes", "Notes", "SDI_WINDOW"), "<none>");
}

class SettingsFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (std::filesystem::temp_directory_path() /
             ("quendral_settings_" +
              std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".ini"))
                .string();
    std::ofstream(path_, std::ios::binary) << kNotesIni;
  }
  void TearDown() override { std::remove(path_.c_str()); }

  std::string path_;
};

TEST_F(SettingsFileOnDisk, ReadsValueOrDefault) {
  EXPECT_EQ(ReadSettingsValue(path_, "Notes", "SDI_WINDOW", "", 260), "1");
  EXPECT_EQ(ReadSettingsValue(path_, "Notes", "Missing", "fallback", 260), "fallback");
  EXPECT_EQ(ReadSettingsValue(path_ + ".missing", "Notes", "SDI_WINDOW", "d", 260), "d");
}

TEST_F(SettingsFileOnDisk, ValueIsCutToTheBuffer) {
  EXPECT_EQ(ReadSettingsValue(path_, "Notes", "Directory", "", 5), "C:\\N");
}

}  // namespace
}  // namespace quendral::os
