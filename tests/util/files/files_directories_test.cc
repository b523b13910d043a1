#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/directories.h"
#include "tests/util/files/scratch_directory.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

namespace fs = std::filesystem;

using fixtures::ScratchDirectory;

using CreateDirectoryTreeTest = ScratchDirectory;

TEST_F(CreateDirectoryTreeTest, CreatesEveryMissingLevel) {
  EXPECT_TRUE(CreateDirectoryTree(BackslashPath("a\\b\\c")));
  EXPECT_TRUE(fs::is_directory(root_ / "a" / "b" / "c"));
}

TEST_F(CreateDirectoryTreeTest, AcceptsNativeSeparatorsAndTrailingOnes) {
  const std::string native = (root_ / "n1" / "n2").string() + os::kPathSeparator;
  EXPECT_TRUE(CreateDirectoryTree(native));
  EXPECT_TRUE(fs::is_directory(root_ / "n1" / "n2"));
}

TEST_F(CreateDirectoryTreeTest, ExistingDirectoryIsFine) {
  fs::create_directories(root_ / "x");
  std::ofstream(root_ / "x" / "keep") << "data";
  EXPECT_TRUE(CreateDirectoryTree(BackslashPath("x")));
  EXPECT_TRUE(fs::exists(root_ / "x" / "keep"));
}

TEST_F(CreateDirectoryTreeTest, StopsAtAFileInTheWay) {
  std::ofstream(root_ / "file") << "data";
  EXPECT_FALSE(CreateDirectoryTree(BackslashPath("file\\sub")));
  EXPECT_TRUE(fs::is_regular_file(root_ / "file"));
}

TEST(CreateDirectoryTreeEmptyTest, EmptyPathFails) { EXPECT_FALSE(CreateDirectoryTree("")); }

using CreateDirectoryForFileTest = ScratchDirectory;

TEST_F(CreateDirectoryForFileTest, CreatesTheFilesDirectoryOnly) {
  EXPECT_TRUE(CreateDirectoryForFile(BackslashPath("a\\b\\f.txt")));
  EXPECT_TRUE(fs::is_directory(root_ / "a" / "b"));
  EXPECT_FALSE(fs::exists(root_ / "a" / "b" / "f.txt"));
}

TEST_F(CreateDirectoryForFileTest, FileInAnExistingDirectoryCreatesNothing) {
  EXPECT_TRUE(CreateDirectoryForFile(BackslashPath("f.txt")));
  EXPECT_TRUE(fs::is_empty(root_));
  EXPECT_TRUE(CreateDirectoryForFile("bare-name.txt"));
}

using ExpandLongPathTest = ScratchDirectory;

TEST_F(ExpandLongPathTest, ExistingPathIsKept) {
  fs::create_directories(root_ / "LongDirectoryName");
  const std::string path = BackslashPath("LongDirectoryName");
  EXPECT_EQ(ExpandLongPath(path), path);
}

TEST_F(ExpandLongPathTest, MissingComponentKeepsTheRestAsGiven) {
  fs::create_directories(root_ / "present");
  const std::string path = BackslashPath("present\\missing\\more\\f.txt");
  EXPECT_EQ(ExpandLongPath(path), path);
}

TEST(ExpandLongPathPlainTest, RelativeTextIsCopied) {
  EXPECT_EQ(ExpandLongPath("no-separator-here"), "no-separator-here");
  EXPECT_EQ(ExpandLongPath(""), "");
}

using GetShortPathTest = ScratchDirectory;

TEST_F(GetShortPathTest, QuotesAreRemovedAndMissingPathsGiveNothing) {
  const std::string path = BackslashPath("here");
  fs::create_directories(root_ / "here");
  EXPECT_FALSE(GetShortPath("\"" + path + "\"").empty());
  EXPECT_EQ(GetShortPath(BackslashPath("not-here")), "");
}

TEST(SystemDirectoriesTest, NoTrailingSeparatorAndTrueLength) {
  for (auto* query : {&GetTempDirectory, &GetWindowsDirectoryPath}) {
    std::size_t length = 12345;
    const std::string directory = query(kMaxPathLength, &length);
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(length, directory.size());
    EXPECT_NE(directory.back(), '\\');
    EXPECT_NE(directory.back(), '/');
  }
}

TEST(SystemDirectoriesTest, TooSmallARoomGivesNothing) {
  std::size_t length = 12345;
  EXPECT_EQ(GetTempDirectory(2, &length), "");
  EXPECT_EQ(length, 0U);
}

using QueryFileSizeTest = ScratchDirectory;

TEST_F(QueryFileSizeTest, SizeOfAFileOrZero) {
  std::ofstream(root_ / "five", std::ios::binary) << "12345";
  EXPECT_EQ(QueryFileSize(BackslashPath("five")), 5U);
  EXPECT_EQ(QueryFileSize(BackslashPath("absent")), 0U);
}

TEST_F(QueryFileSizeTest, DirectoryIsZero) {
  fs::create_directory(root_ / "folder");
  EXPECT_EQ(QueryFileSize(BackslashPath("folder")), 0U);
}

}  // namespace
}  // namespace quendral::util
