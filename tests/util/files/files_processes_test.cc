#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/os/environment.h"
#include "platform/os/process.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

namespace fs = std::filesystem;

// A command line that runs `command` through the system's interpreter.
std::string ShellLine(const std::string& command) {
  return os::kRunsOnWindows
             ? os::ShellCommandLine(os::kDefaultCommandInterpreter, command)
             : std::string(os::kDefaultCommandInterpreter) + " -c \"" + command + "\"";
}

fs::path Marker(const char* name) {
  fs::path path = fs::temp_directory_path() / name;
  fs::remove(path);
  return path;
}

const char* const kSleepThenTouch =
    os::kRunsOnWindows ? "ping -n 2 127.0.0.1 >NUL & echo x > " : "sleep 1; echo x > ";

TEST(RunProgramTest, WaitingReturnsAfterTheEnd) {
  const fs::path marker = Marker("quendral_run_program_waited");
  const std::string line = ShellLine(kSleepThenTouch + marker.string());
  const std::size_t split = line.find(' ');
  EXPECT_EQ(RunProgram(true, line.substr(0, split), line.substr(split + 1)), 0);
  EXPECT_TRUE(fs::exists(marker));
  fs::remove(marker);
}

TEST(RunProgramTest, NotStartedGivesOne) {
  EXPECT_EQ(RunProgram(true, "quendral-no-such-program-xyz", ""), 1);
  EXPECT_EQ(RunProgram(false, "quendral-no-such-program-xyz", "a"), 1);
}

TEST(RunProgramTest, OverlongCommandLineIsRefused) {
  EXPECT_EQ(RunProgram(true, ShellLine("exit 0"), std::string(300, 'a')), 1);
}

TEST(RunProgramTest, WithoutWaitingReturnsAtOnce) {
  const fs::path marker = Marker("quendral_run_program_unwaited");
  const std::string line = ShellLine(kSleepThenTouch + marker.string());
  const std::size_t split = line.find(' ');
  EXPECT_EQ(RunProgram(false, line.substr(0, split), line.substr(split + 1)), 0);
  EXPECT_FALSE(fs::exists(marker));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!fs::exists(marker) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(fs::exists(marker));
  fs::remove(marker);
}

TEST(StartCommandLineTest, ReportsSuccessAsNonZero) {
  EXPECT_NE(StartCommandLine(ShellLine("exit 0")), 0);
  EXPECT_EQ(StartCommandLine("quendral-no-such-program-xyz"), 0);
}

}  // namespace
}  // namespace quendral::util
