// Special folders, and the user directories file they are read from outside
// Windows.
#include "platform/os/special_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quendral::os {
namespace {

std::string Parse(std::string_view contents, std::string_view name) {
  std::string path = "untouched";
  return ParseUserDirectory(contents, name, "/home/ann", &path) ? path : "(none: " + path + ")";
}

TEST(UserDirectoriesFile, HomeRelativeAndAbsolutePaths) {
  const char contents[] =
      "# written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_DOCUMENTS_DIR=\"/srv/documents\"\n"
      "XDG_MUSIC_DIR=\"$HOME\"\n";
  EXPECT_EQ(Parse(contents, "XDG_DESKTOP_DIR"), "/home/ann/Desktop");
  EXPECT_EQ(Parse(contents, "XDG_DOCUMENTS_DIR"), "/srv/documents");
  EXPECT_EQ(Parse(contents, "XDG_MUSIC_DIR"), "/home/ann");
}

TEST(UserDirectoriesFile, LastLineWinsAndEscapesAreUndone) {
  EXPECT_EQ(Parse("XDG_VIDEOS_DIR=\"$HOME/a\"\r\nXDG_VIDEOS_DIR=\"$HOME/My\\ \\\"Videos\\\"\"\n",
                  "XDG_VIDEOS_DIR"),
            "/home/ann/My \"Videos\"");
}

TEST(UserDirectoriesFile, InvalidLinesAreIgnored) {
  const char contents[] =
      "XDG_PICTURES_DIR=$HOME/unquoted\n"
      "XDG_PICTURES_DIR=\"relative/path\"\n"
      "XDG_PICTURES_DIR=\"$HOMEWARD\"\n"
      "XDG_PICTURES_DIR=\"$HOME/open\n"
      "XDG_PICTURES_DIR=\"$HOME/trailing\\\"\n"
      "# XDG_PICTURES_DIR=\"$HOME/commented\"\n"
      "XDG_PICTURES_DIRS=\"$HOME/other\"\n";
  EXPECT_EQ(Parse(contents, "XDG_PICTURES_DIR"), "(none: untouched)");
}

TEST(UserDirectoriesFile, MissingNameOrEmptyText) {
  EXPECT_EQ(Parse("", "XDG_DESKTOP_DIR"), "(none: untouched)");
  EXPECT_EQ(Parse("XDG_MUSIC_DIR=\"$HOME/Music\"", "XDG_DESKTOP_DIR"), "(none: untouched)");
}

#if !defined(_WIN32)
// The profile folder is the home directory, which exists.
TEST(SpecialFolders, ProfileIsTheHomeDirectory) {
  const char* home = std::getenv("HOME");
  if (home == nullptr) {
    GTEST_SKIP() << "no home directory";
  }
  std::string path;
  ASSERT_TRUE(ReadSpecialFolderPath(0x28, &path));
  EXPECT_EQ(path, home);
}
#endif

TEST(SpecialFolders, UnknownFolderNumberIsNotFound) {
  std::string path = "untouched";
  EXPECT_FALSE(ReadSpecialFolderPath(0x7FFF, &path));
  EXPECT_EQ(path, "untouched");
}

}  // namespace
}  // namespace quendral::os
