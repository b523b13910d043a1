#include "util/files/file_writing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "util/files/command_runner.h"

namespace quendral::util {
namespace {

namespace fs = std::filesystem;

class FileWritingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / (std::string("quendral_writing_") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  static std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  // The scratch directory in backslash form, as cleaned paths need it.
  std::string BackslashRoot() const {
    std::string path = root_.string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }

  fs::path root_;
  std::string message_ = "untouched";
};

TEST_F(FileWritingTest, DefaultFlagsReplaceAndStoreCarriageReturns) {
  const fs::path file = root_ / "out.txt";
  std::ofstream(file) << "old content that is longer";
  EXPECT_EQ(WriteTextFile(file.string(), "a\nb", &message_, 0, false, false), 0);
  EXPECT_EQ(Contents(file), "a\r\nb");
  EXPECT_EQ(message_, "untouched");
}

TEST_F(FileWritingTest, KeepingContentAppends) {
  const fs::path file = root_ / "log.txt";
  std::ofstream(file, std::ios::binary) << "first\r\n";
  EXPECT_EQ(WriteTextFile(file.string(), "second\n", &message_,
                          kFileDefaultTextFlags | kFileKeepContent, false, false),
            0);
  EXPECT_EQ(Contents(file), "first\r\nsecond\r\n");
}

TEST_F(FileWritingTest, BinaryFlagKeepsLineFeeds) {
  const fs::path file = root_ / "raw.bin";
  EXPECT_EQ(WriteTextFile(file.string(), "a\nb\n", &message_,
                          kFileCreate | kFileWrite | kFileBinary, false, false),
            0);
  EXPECT_EQ(Contents(file), "a\nb\n");
}

TEST_F(FileWritingTest, WithoutCreateTheFileMustExist) {
  const fs::path file = root_ / "absent.txt";
  EXPECT_EQ(WriteTextFile(file.string(), "x", &message_, kFileWrite, false, false), 1);
  EXPECT_NE(message_, "untouched");
  EXPECT_FALSE(fs::exists(file));
  std::ofstream(file, std::ios::binary) << "abc";
  EXPECT_EQ(WriteTextFile(file.string(), "d", &message_, kFileWrite, false, false), 0);
  EXPECT_EQ(Contents(file), "abcd");
}

TEST_F(FileWritingTest, MissingDirectoryFailsUnlessCreated) {
  const std::string path = BackslashRoot() + "\\new\\dir\\f.txt";
  EXPECT_EQ(WriteTextFile(path, "x", &message_, 0, false, false), 1);
  EXPECT_FALSE(message_.empty());
  EXPECT_EQ(WriteTextFile(path, "x", &message_, 0, false, true), 0);
  EXPECT_EQ(Contents(root_ / "new" / "dir" / "f.txt"), "x");
}

TEST_F(FileWritingTest, CleanPathWritesTheSanitizedName) {
  const std::string path = BackslashRoot() + "\\sub|dir\\a?b.txt";
  EXPECT_EQ(WriteTextFile(path, "x", &message_, 0, true, true), 0);
  EXPECT_EQ(Contents(root_ / "sub-dir" / "a-b.txt"), "x");
}

TEST_F(FileWritingTest, CleanNativePathLandsWhereItWasNamed) {
  const fs::path file = root_ / "sub|dir" / "a?b.txt";
  EXPECT_EQ(WriteTextFile(file.string(), "x", &message_, 0, true, true), 0);
  EXPECT_EQ(Contents(root_ / "sub-dir" / "a-b.txt"), "x");
}

TEST_F(FileWritingTest, ReadBackGivesTheLines) {
  const fs::path file = root_ / "lines.txt";
  ASSERT_EQ(WriteTextFile(file.string(), "one\ntwo\nthree\n", &message_, 0, false, false), 0);
  std::string content;
  ASSERT_EQ(ReadTextFileLines(file.string(), &content, &message_), 0);
  EXPECT_EQ(content, "one\ntwo\nthree");
}

TEST_F(FileWritingTest, BytesAreWrittenWithTheCallersFlags) {
  const fs::path file = root_ / "bytes.bin";
  const unsigned char data[] = {0, '\n', 0xff};
  EXPECT_EQ(WriteBytesToFile(file.string(), data, sizeof(data), &message_,
                             kFileCreate | kFileWrite | kFileBinary),
            0);
  EXPECT_EQ(Contents(file), std::string("\0\n\xff", 3));
  EXPECT_EQ(WriteBytesToFile(file.string(), data, sizeof(data), &message_, 0), 1);
}

}  // namespace
}  // namespace quendral::util
