// Output files appear complete or not at all; the original survives.
#include "dxl/export_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace quendral::dxl {
namespace {

namespace fs = std::filesystem;

class ExportFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quendral-dxl-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
    input_ = dir_ / "in.xml";
    Write(input_, "old");
  }
  void TearDown() override { fs::remove_all(dir_); }

  static void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
  }
  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::size_t Files() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  // A pass that writes "new", or refuses after writing half of it.
  static ExportPass Pass(bool refuse) {
    return [refuse](std::istream&, std::ostream* out, Refusal* refusal) {
      if (out != nullptr) {
        *out << (refuse ? "ne" : "new");
      }
      if (refuse) {
        *refusal = Refusal{"not well-formed XML", 1, 2};
      }
      return !refuse;
    };
  }

  fs::path dir_, input_;
};

TEST_F(ExportFileTest, WritesANewFileWhole) {
  Refusal refusal;
  ASSERT_TRUE(
      RewriteExportFile(input_, {OutputMode::kNewFile, dir_ / "out.xml"}, Pass(false), &refusal));
  EXPECT_EQ(Read(dir_ / "out.xml"), "new");
  EXPECT_EQ(Read(input_), "old");
  EXPECT_EQ(Files(), 2u);
}

TEST_F(ExportFileTest, InPlaceKeepsTheOriginalAndNeverReplacesIt) {
  Refusal refusal;
  ASSERT_TRUE(RewriteExportFile(input_, {OutputMode::kInPlace, {}}, Pass(false), &refusal));
  EXPECT_EQ(Read(input_), "new");
  EXPECT_EQ(Read(OriginalCopyOf(input_)), "old");
  EXPECT_FALSE(RewriteExportFile(input_, {OutputMode::kInPlace, {}}, Pass(false), &refusal));
  EXPECT_NE(refusal.reason.find("exists already"), std::string::npos);
  EXPECT_EQ(Read(OriginalCopyOf(input_)), "old");
  EXPECT_EQ(Files(), 2u);
}

TEST_F(ExportFileTest, RefusedOrDryRunsWriteNothing) {
  Write(dir_ / "out.xml", "earlier");
  const struct {
    const char* name;
    OutputTarget target;
    bool refuse;
  } cases[] = {
      {"refused, new file", {OutputMode::kNewFile, dir_ / "out.xml"}, true},
      {"refused, in place", {OutputMode::kInPlace, {}}, true},
      {"dry run", {OutputMode::kDryRun, {}}, false},
      {"output is the input", {OutputMode::kNewFile, input_}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Refusal refusal;
    EXPECT_EQ(RewriteExportFile(input_, c.target, Pass(c.refuse), &refusal),
              !c.refuse && c.target.mode == OutputMode::kDryRun);
    EXPECT_EQ(Read(input_), "old");
    EXPECT_EQ(Read(dir_ / "out.xml"), "earlier");
    EXPECT_EQ(Files(), 2u);
  }
}

// A link given for rewriting in place is replaced by the new file; the file
// it pointed at keeps its text.
TEST_F(ExportFileTest, InPlaceReplacesALinkRatherThanWritingThroughIt) {
  const fs::path link = dir_ / "link.xml";
  std::error_code error;
  fs::create_symlink(input_, link, error);
  if (error) {
    GTEST_SKIP() << "no symbolic links here: " << error.message();
  }
  Refusal refusal;
  ASSERT_TRUE(RewriteExportFile(link, {OutputMode::kInPlace, {}}, Pass(false), &refusal))
      << refusal.Text();
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(Read(link), "new");
  EXPECT_EQ(Read(input_), "old");
}

TEST_F(ExportFileTest, OutputThatIsNoRegularFileIsRefused) {
  fs::create_directory(dir_ / "folder");
  Refusal refusal;
  EXPECT_FALSE(
      RewriteExportFile(input_, {OutputMode::kNewFile, dir_ / "folder"}, Pass(false), &refusal));
  EXPECT_NE(refusal.reason.find("is not a regular file"), std::string::npos) << refusal.reason;
  EXPECT_EQ(Files(), 2u);
}

TEST_F(ExportFileTest, MissingInputIsRefused) {
  Refusal refusal;
  EXPECT_FALSE(
      RewriteExportFile(dir_ / "none.xml", {OutputMode::kDryRun, {}}, Pass(false), &refusal));
  EXPECT_NE(refusal.reason.find("cannot be read"), std::string::npos);
}

}  // namespace
}  // namespace quendral::dxl
