#include "platform/os/directories.h"

#include <gtest/gtest.h>

namespace quendral::os {
namespace {

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && path[0] == '/') ||
         (path.size() > 2 && path[1] == ':' && path[2] == '\\');
}

TEST(Directories, AreAbsolute) {
  EXPECT_TRUE(IsAbsolute(CurrentDirectory())) << CurrentDirectory();
  EXPECT_TRUE(IsAbsolute(WindowsDirectory())) << WindowsDirectory();
  EXPECT_TRUE(IsAbsolute(SystemDirectory())) << SystemDirectory();
}

#if !defined(_WIN32)
TEST(Directories, SystemLibraryDirectoriesStandForWindowsOnes) {
  EXPECT_EQ(WindowsDirectory(), "/usr/lib");
  EXPECT_EQ(SystemDirectory(), "/lib");
}
#endif

TEST(JoinPath, PutsOneSeparatorBetween) {
  EXPECT_EQ(JoinPath("dir", "name"), std::string("dir") + kPathSeparator + "name");
  EXPECT_EQ(JoinPath("", "name"), std::string(1, kPathSeparator) + "name");
}

}  // namespace
}  // namespace quendral::os
