// Finding the Notes client's main window by the class its settings file
// names. Needs a display (X11 under Xvfb, or Wine's); skips without one.
#include "util/client_window/client_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/environment.h"
#include "tests/util/client_window/test_window.h"

namespace quendral::util {
namespace {

namespace fs = std::filesystem;

class FindNotesClientWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("quendral_client_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // A settings file in the test's folder with these lines.
  std::string Settings(const std::string& name, const std::string& lines) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << lines;
    return path.string();
  }

  fs::path folder_;
};

#define REQUIRE_DISPLAY(window)                                       \
  if ((window).handle() == 0) {                                       \
    GTEST_SKIP() << "no display to make windows on (run under Xvfb)"; \
  }

TEST_F(FindNotesClientWindowTest, SingleWindowSettingLooksForTheFrameFirst) {
  const fixtures::TestWindow frame("NOTESframe");
  const fixtures::TestWindow classic("NOTES");
  REQUIRE_DISPLAY(frame);
  EXPECT_EQ(FindNotesClientWindow(Settings("a.ini", "[Notes]\nSDI_WINDOW=1\n")), frame.handle());
  EXPECT_EQ(FindNotesClientWindow(Settings("b.ini", "[Notes]\nSDI_WINDOW=0\n")), classic.handle());
  EXPECT_EQ(FindNotesClientWindow(Settings("c.ini", "[Notes]\n")), classic.handle());
}

TEST_F(FindNotesClientWindowTest, FallsBackToTheFrameClass) {
  const fixtures::TestWindow frame("NOTESframe");
  REQUIRE_DISPLAY(frame);
  EXPECT_EQ(FindNotesClientWindow(Settings("a.ini", "[Notes]\nSDI_WINDOW=0\n")), frame.handle());
}

TEST_F(FindNotesClientWindowTest, NoClientWindowGivesNone) {
  const fixtures::TestWindow other("SomethingElse");
  REQUIRE_DISPLAY(other);
  EXPECT_EQ(FindNotesClientWindow(Settings("a.ini", "[Notes]\nSDI_WINDOW=1\n")), 0U);
}

TEST_F(FindNotesClientWindowTest, EmptyPathWithoutSettingsFileGivesNone) {
  const fixtures::TestWindow classic("NOTES");
  const char* saved = std::getenv("PATH");
  const std::string path = saved == nullptr ? "" : saved;
  if (os::kRunsOnWindows) {
    GTEST_SKIP() << "the Windows search path also holds the system folders";
  }
  os::SetEnvironment("PATH", folder_.string().c_str());
  EXPECT_EQ(FindNotesClientWindow(""), 0U);
  Settings("notes.ini", "[Notes]\nSDI_WINDOW=0\n");
  const os::WindowHandle found = FindNotesClientWindow("");
  os::SetEnvironment("PATH", path.c_str());
  if (classic.handle() != 0) {
    EXPECT_EQ(found, classic.handle());
  }
}

}  // namespace
}  // namespace quendral::util
