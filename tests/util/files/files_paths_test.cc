#include <gtest/gtest.h>

#include <string>

#include "support/text_code_page.h"
#include "tests/util/files/path_parts.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

using fixtures::ExpectParts;
using fixtures::Sanitized;
using fixtures::Split;

TEST(SplitPathTest, DrivePath) {
  ExpectParts(Split("C:\\a\\b\\file.txt"), "C:", "a\\b", "file", "txt");
  ExpectParts(Split("C:\\file.txt"), "C:", "", "file", "txt");
}

TEST(SplitPathTest, NetworkPath) {
  ExpectParts(Split("\\\\srv\\share\\dir\\f.txt"), "\\\\srv\\share", "dir", "f", "txt");
  ExpectParts(Split("\\\\srv\\share"), "\\\\srv\\share", "", "", "");
  ExpectParts(Split("\\\\srv"), "\\\\srv", "", "", "");
}

TEST(SplitPathTest, DotInDirectoryIsNoExtension) {
  ExpectParts(Split("C:\\a.b\\file"), "C:", "a.b", "file", "");
}

TEST(SplitPathTest, ExtensionIsAfterTheLastDot) {
  ExpectParts(Split("C:\\d\\archive.tar.gz"), "C:", "d", "archive.tar", "gz");
  ExpectParts(Split("C:\\d\\trailing."), "C:", "d", "trailing", "");
}

TEST(SplitPathTest, DirectoryFlagTakesEverythingAfterTheDrive) {
  ExpectParts(Split("C:\\a\\b", true), "C:", "a\\b", "", "");
  ExpectParts(Split("C:\\a\\b.c", true), "C:", "a\\b.c", "", "");
  ExpectParts(Split("\\\\srv\\share\\x", true), "\\\\srv\\share", "x", "", "");
}

TEST(SplitPathTest, RelativePathKeepsEveryCharacter) {
  PathParts parts = Split("a\\b\\f.txt");
  ExpectParts(parts, "", "a\\b", "f", "txt");
  EXPECT_FALSE(parts.rooted);
  ExpectParts(Split("ab\\cd", true), "", "ab\\cd", "", "");
  ExpectParts(Split("f.txt"), "", "", "f", "txt");
}

TEST(SplitPathTest, DriveRelativePathKeepsEveryCharacter) {
  PathParts parts = Split("C:a\\f.txt");
  ExpectParts(parts, "C:", "a", "f", "txt");
  EXPECT_FALSE(parts.rooted);
  ExpectParts(Split("C:f.txt"), "C:", "", "f", "txt");
  EXPECT_TRUE(Split("C:\\f.txt").rooted);
}

TEST(SplitPathTest, ClearsWhatTheCallerPassed) {
  PathParts parts{"X:", "old", "old", "old", true};
  SplitPath("name", false, &parts);
  ExpectParts(parts, "", "", "name", "");
  EXPECT_FALSE(parts.rooted);
}

TEST(SplitPathTest, DoubleByteCharactersAreWholeInCodePage932) {
  const quendral::fixtures::TextCodePage japanese(932);
  // 0x95 0x5C is one character whose second byte is the backslash.
  ExpectParts(Split("C:\\d\x95\\\\f\x95\\.txt"), "C:", "d\x95\\", "f\x95\\", "txt");
  ExpectParts(Split("\x95\\.\x95."), "", "", "\x95\\", "\x95.");
}

TEST(SanitizePathTest, DoubleByteCharactersAreKeptInCodePage932) {
  const quendral::fixtures::TextCodePage japanese(932);
  bool changed = true;
  EXPECT_EQ(Sanitized("C:\\\x95\\\\\x95\\.txt", false, &changed), "C:\\\x95\\\\\x95\\.txt");
  EXPECT_FALSE(changed);
  std::string long_name = std::string(249, 'x') + "\x95\\";
  EXPECT_EQ(SanitizePathComponent(&long_name), 0);
  EXPECT_EQ(long_name, std::string(249, 'x') + "...") << "cut between whole characters";
}

TEST(SanitizePathComponentTest, ReplacesAndCounts) {
  std::string component = "a<b>c:d";
  EXPECT_EQ(SanitizePathComponent(&component), 3);
  EXPECT_EQ(component, "a(b)c-d");
}

TEST(SanitizePathComponentTest, WholeTable) {
  std::string component = "<>:\"/\\|?\t\n\a";
  EXPECT_EQ(SanitizePathComponent(&component), 11);
  EXPECT_EQ(component, "()-'-------");
}

TEST(SanitizePathComponentTest, RemovesLowControlsButKeepsAsteriskAndHighControls) {
  std::string component = std::string("a\x01") + "b\x1a" + "c\x1b\x1f*";
  EXPECT_EQ(SanitizePathComponent(&component), 2);
  EXPECT_EQ(component, "abc\x1b\x1f*");
}

TEST(SanitizePathComponentTest, LongComponentIsCutWithoutCounting) {
  std::string component(300, 'x');
  EXPECT_EQ(SanitizePathComponent(&component), 0);
  EXPECT_EQ(component, std::string(250, 'x') + "...");
  std::string exact(250, 'y');
  EXPECT_EQ(SanitizePathComponent(&exact), 0);
  EXPECT_EQ(exact, std::string(250, 'y'));
}

TEST(SanitizePathTest, CleansDirectoriesNameAndExtension) {
  bool changed = false;
  EXPECT_EQ(Sanitized("C:\\x|y\\a?b.t*t", false, &changed), "C:\\x-y\\a-b.t*t");
  EXPECT_TRUE(changed);
}

TEST(SanitizePathTest, CleanPathsAreUnchanged) {
  for (const char* path : {"C:\\dir\\file.txt", "C:\\file.txt", "\\\\srv\\share\\d\\f.txt"}) {
    bool changed = true;
    EXPECT_EQ(Sanitized(path, false, &changed), path);
    EXPECT_FALSE(changed) << path;
  }
}

TEST(SanitizePathTest, DoubledBackslashCollapses) {
  bool changed = true;
  EXPECT_EQ(Sanitized("C:\\a\\\\b\\f.txt", false, &changed), "C:\\a\\b\\f.txt");
  EXPECT_FALSE(changed);
}

TEST(SanitizePathTest, DirectoryFlag) { EXPECT_EQ(Sanitized("C:\\a:b\\c", true), "C:\\a-b\\c"); }

TEST(SanitizePathTest, DriveIsNotSanitized) {
  EXPECT_EQ(Sanitized("C:\\a"), "C:\\a");
  EXPECT_EQ(Sanitized("\\\\srv\\share"), "\\\\srv\\share");
}

TEST(SanitizePathTest, RelativePathsStayRelative) {
  EXPECT_EQ(Sanitized("a\\b?\\f.txt"), "a\\b-\\f.txt");
  EXPECT_EQ(Sanitized("f?.txt"), "f-.txt");
  EXPECT_EQ(Sanitized("C:f.txt"), "C:f.txt");
  EXPECT_EQ(Sanitized("\\root\\f.txt"), "\\root\\f.txt");
}

}  // namespace
}  // namespace quendral::util
