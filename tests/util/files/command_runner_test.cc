#include "util/files/command_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/environment.h"
#include "platform/os/process.h"
#include "support/environment_override.h"

namespace quendral::util {
namespace {

namespace fs = std::filesystem;

// Sets or clears "COMSPEC" for one test and restores it afterwards.
class ComspecOverride : public quendral::fixtures::EnvironmentOverride {
 public:
  explicit ComspecOverride(const char* value) : EnvironmentOverride("COMSPEC", value) {}
};

TEST(RunShellCommandTest, ExitCodePassesThrough) {
  ComspecOverride system_interpreter(nullptr);
  EXPECT_EQ(RunShellCommand("exit", "3"), 3U);
  EXPECT_EQ(RunShellCommand("exit", "0"), 0U);
}

TEST(RunShellCommandTest, EmptyArgumentsAreFine) {
  ComspecOverride system_interpreter(nullptr);
  EXPECT_EQ(RunShellCommand("exit 4", ""), 4U);
}

TEST(RunShellCommandTest, MissingInterpreterGivesFileNotFound) {
  ComspecOverride missing(os::kRunsOnWindows ? "C:\\quendral\\no-such\\cmd.exe"
                                             : "/quendral/no-such/sh");
  EXPECT_EQ(RunShellCommand("exit", "3"), 2U);
}

// The line is "<interpreter> /c exit <zeros>"; zeros make the exit code 0.
std::string ZerosForLineLength(std::size_t line_length) {
  const std::size_t fixed = os::ShellCommandLine(os::kDefaultCommandInterpreter, "exit ").size();
  return std::string(line_length - fixed, '0');
}

TEST(RunShellCommandTest, LongestLineThatFitsRuns) {
  ComspecOverride system_interpreter(nullptr);
  EXPECT_EQ(RunShellCommand("exit", ZerosForLineLength(kCommandLineBufferSize - 1)), 0U);
}

TEST(RunShellCommandTest, LineThatDoesNotFitIsRefusedUnstarted) {
  ComspecOverride system_interpreter(nullptr);
  const fs::path marker = fs::temp_directory_path() / "quendral_refused_command_marker";
  fs::remove(marker);
  const std::string program = "echo x > \"" + marker.string() + "\" &&";
  const std::size_t fixed =
      os::ShellCommandLine(os::kDefaultCommandInterpreter, program + " ").size();
  EXPECT_EQ(RunShellCommand(program, std::string(kCommandLineBufferSize - fixed, 'a')),
            kCommandLineTooLong);
  EXPECT_FALSE(fs::exists(marker));
}

class ReadTextFileLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::temp_directory_path() / (std::string("quendral_lines_") + info->name());
  }
  void TearDown() override { fs::remove(path_); }

  void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }

  int Read() { return ReadTextFileLines(path_.string(), &content_, &message_); }

  fs::path path_;
  std::string content_ = "stale";
  std::string message_ = "untouched";
};

TEST_F(ReadTextFileLinesTest, ThreeLinesJoinedByTwoLineFeeds) {
  Write("one\ntwo\nthree\n");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(content_, "one\ntwo\nthree");
  EXPECT_EQ(message_, "untouched");
}

TEST_F(ReadTextFileLinesTest, CarriageReturnLineEndsAndNoFinalLineEnd) {
  Write("one\r\ntwo\r\nthree");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(content_, "one\ntwo\nthree");
}

TEST_F(ReadTextFileLinesTest, LeadingEmptyLinesDroppedInnerOnesKept) {
  Write("\n\nfirst\n\nlast\n");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(content_, "first\n\nlast");
}

TEST_F(ReadTextFileLinesTest, EmptyFile) {
  Write("");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(content_, "");
}

TEST_F(ReadTextFileLinesTest, MissingFileGivesMessage) {
  EXPECT_EQ(Read(), 1);
  EXPECT_EQ(content_, "");
  EXPECT_NE(message_, "untouched");
  EXPECT_FALSE(message_.empty());
  EXPECT_LT(message_.size(), 1024U);
}

}  // namespace
}  // namespace quendral::util
