#include "platform/os/process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/wait.h>

#include <cerrno>
#endif

namespace quendral::os {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(SplitCommandLineTest, BlanksSeparateWords) {
  EXPECT_THAT(SplitCommandLine("  prog  a\tb "), ElementsAre("prog", "a", "b"));
  EXPECT_THAT(SplitCommandLine("   "), IsEmpty());
}

TEST(SplitCommandLineTest, QuotesGroupAndVanish) {
  EXPECT_THAT(SplitCommandLine("\"C:\\Program Files\\p.exe\" \"a b\"c"),
              ElementsAre("C:\\Program Files\\p.exe", "a bc"));
  EXPECT_THAT(SplitCommandLine("\"\""), ElementsAre(""));
}

TEST(SplitCommandLineTest, BackslashesBeforeQuotes) {
  EXPECT_THAT(SplitCommandLine(R"(a\\\"b)"), ElementsAre(R"(a\"b)"));
  EXPECT_THAT(SplitCommandLine(R"("a\\" b)"), ElementsAre(R"(a\)", "b"));
  EXPECT_THAT(SplitCommandLine(R"(a\\b\)"), ElementsAre(R"(a\\b\)"));
}

TEST(ShellCommandLineTest, InterpreterSwitchAndCommand) {
  EXPECT_EQ(ShellCommandLine("CMD.EXE", "prog "), "CMD.EXE /c prog ");
}

#if defined(_WIN32)
TEST(ShellCommandLineTest, WindowsInterpreter) {
  EXPECT_STREQ(kDefaultCommandInterpreter, "CMD.EXE");
}
#else
TEST(ShellCommandLineTest, PosixShell) { EXPECT_STREQ(kDefaultCommandInterpreter, "/bin/sh"); }
#endif

TEST(ProcessTest, ExitCodeComesBack) {
  Process process;
  ASSERT_EQ(StartShellCommand(kDefaultCommandInterpreter, "exit 7", &process), 0UL);
  unsigned long exit_code = 0;
  ASSERT_TRUE(WaitForExit(process, &exit_code));
  EXPECT_EQ(exit_code, 7UL);
}

TEST(ProcessTest, MissingProgramIsFileNotFound) {
  Process process;
  EXPECT_EQ(StartProcess("quendral-no-such-program-xyz", {}, &process), 2UL);
  EXPECT_EQ(StartDetachedProcess("quendral-no-such-program-xyz", {}), 2UL);
}

#if !defined(_WIN32)
TEST(ProcessTest, DetachedProcessesLeaveNoZombie) {
  ASSERT_EQ(StartDetachedProcess("sleep 0", {}), 0UL);
  // The child that started it was reaped before the call returned, and the
  // program itself is the system's: this process has no child left at all.
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}
#endif

}  // namespace
}  // namespace quendral::os
