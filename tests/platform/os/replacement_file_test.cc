// Replacement files appear whole under the target's name or not at all, and
// their temporary files do not outlive their writers.
#include "platform/os/replacement_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/os/process_liveness.h"

namespace quendral::os {
namespace {

namespace fs = std::filesystem;

class ReplacementFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quendral-replacement-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
    target_ = (dir_ / "out.xml").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Read(const fs::path& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
  }
  std::size_t Files() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
  std::string target_;
};

TEST_F(ReplacementFileTest, TemporaryNamesTellTheirWriter) {
  const struct {
    const char* name;
    bool ours;
    std::uint64_t writer;
  } cases[] = {
      {".a.xml.rewriting-123-4", true, 123}, {".a.rewriting-1.rewriting-77-1", true, 77},
      {"a.xml.rewriting-123-4", false, 0},   {".a.xml.rewriting-123", false, 0},
      {".a.xml.rewriting-12x-4", false, 0},  {".a.xml.rewriting--4", false, 0},
      {".rewriting-1-1", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::uint64_t writer = 0;
    EXPECT_EQ(ReplacementFile::WriterOf(c.name, &writer), c.ours);
    EXPECT_EQ(writer, c.writer);
  }
}

TEST_F(ReplacementFileTest, CommitReplacesWholeAndAbandonLeavesNothing) {
  std::ofstream(target_) << "old";
  std::string error;
  {
    ReplacementFile file;
    ASSERT_TRUE(file.Open(target_, &error)) << error;
    ASSERT_TRUE(file.Write("ne", 2, &error)) << error;
    EXPECT_EQ(Files(), 2u);
  }
  EXPECT_EQ(Read(target_), "old");
  EXPECT_EQ(Files(), 1u);
  ReplacementFile file;
  ASSERT_TRUE(file.Open(target_, &error)) << error;
  ASSERT_TRUE(file.Write("new", 3, &error)) << error;
  ASSERT_TRUE(file.Commit(&error)) << error;
  EXPECT_EQ(Read(target_), "new");
  EXPECT_EQ(Files(), 1u);
}

TEST_F(ReplacementFileTest, OnlyRegularFilesAreReplaced) {
  fs::create_directory(target_);
  ReplacementFile file;
  std::string error;
  EXPECT_FALSE(file.Open(target_, &error));
  EXPECT_EQ(error, "is not a regular file");
  EXPECT_EQ(Files(), 1u);
}

// A number far above any the systems give out stands for a writer that has
// ended.
TEST_F(ReplacementFileTest, TemporariesOfEndedWritersGoAndOthersStay) {
  const std::string ended = ".x.xml.rewriting-2147483644-1";
  const std::string live = ".x.xml.rewriting-" + std::to_string(ThisProcessNumber()) + "-999999";
  const std::string foreign = ".x.xml.orig";
  for (const std::string& name : {ended, live, foreign}) {
    std::ofstream(dir_ / name) << "left";
  }
  ASSERT_TRUE(ProcessHasEnded(2147483644));
  ReplacementFile file;
  std::string error;
  ASSERT_TRUE(file.Open(target_, &error)) << error;
  file.Abandon();
  EXPECT_FALSE(fs::exists(dir_ / ended));
  EXPECT_TRUE(fs::exists(dir_ / live));
  EXPECT_TRUE(fs::exists(dir_ / foreign));
}

}  // namespace
}  // namespace quendral::os
