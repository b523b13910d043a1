#include "platform/os/process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace os {
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
}

}  // namespace
}  // namespace os
