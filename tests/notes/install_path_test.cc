// The Notes installation's directories as recorded in the registry.
#include "notes/install_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "platform/os/environment.h"
#include "util/registry/registry.h"

namespace quendral {
namespace {

namespace fs = std::filesystem;

constexpr char kNotesKey[] = "SOFTWARE\\Lotus\\Notes";

// Outside Windows each test has settings store files of its own. On Windows
// the machine's own key is used, so a test never runs where Notes is
// installed, and removes only the key it made.
class ReadNotesInstallPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (os::kRunsOnWindows) {
      os::RegistryKey existing = nullptr;
      if (os::RegistryOpenKey(os::LocalMachineRoot(), kNotesKey, os::RegistryAccess::kQuery,
                              &existing) == os::kRegistrySuccess) {
        os::RegistryCloseKey(existing);
        GTEST_SKIP() << "this machine has a Notes installation";
      }
    } else {
      std::random_device random;
      store_ = fs::temp_directory_path() / ("quendral-install-path-" + std::to_string(random()));
      fs::create_directories(store_);
      os::SetEnvironment("QUENDRAL_REGISTRY_CURRENT_USER",
                         (store_ / "user.sqlite").string().c_str());
      os::SetEnvironment("QUENDRAL_REGISTRY_LOCAL_MACHINE",
                         (store_ / "machine.sqlite").string().c_str());
    }
    made_key_ = true;
  }

  void TearDown() override {
    if (!made_key_) {
      return;
    }
    util::DeleteRegistryKeyTree(os::LocalMachineRoot(), kNotesKey);
    util::DeleteRegistryKeyTree(os::CurrentUserRoot(), kNotesKey);
    if (!os::kRunsOnWindows) {
      std::error_code ignored;
      fs::remove_all(store_, ignored);
    }
  }

  void Record(const char* value, const std::string& text, int root = util::kRegistryLocalMachine) {
    ASSERT_EQ(util::WriteRegistryString(root, 0, kNotesKey, value, text),
              static_cast<int>(text.size()) + 1);
  }

  fs::path store_;
  bool made_key_ = false;
};

TEST_F(ReadNotesInstallPathTest, FlagChoosesDataOrProgramDirectory) {
  Record("DataPath", "C:\\Notes\\Data");
  Record("Path", "C:\\Notes");
  std::string path = "stale";
  EXPECT_EQ(ReadNotesInstallPath(&path, 1), 1);
  EXPECT_EQ(path, "C:\\Notes\\Data");
  EXPECT_EQ(ReadNotesInstallPath(&path, -7), 1) << "any nonzero flag";
  EXPECT_EQ(path, "C:\\Notes\\Data");
  EXPECT_EQ(ReadNotesInstallPath(&path, 0), 1);
  EXPECT_EQ(path, "C:\\Notes");
}

TEST_F(ReadNotesInstallPathTest, NothingIsExpanded) {
  Record("Path", "%ProgramFiles%\\Notes");
  std::string path;
  EXPECT_EQ(ReadNotesInstallPath(&path, 0), 1);
  EXPECT_EQ(path, "%ProgramFiles%\\Notes");
}

TEST_F(ReadNotesInstallPathTest, MissingKeyOrValueGivesZeroAndEmpty) {
  std::string path = "stale";
  EXPECT_EQ(ReadNotesInstallPath(&path, 1), 0);
  EXPECT_EQ(path, "");
  Record("Path", "C:\\Notes");
  path = "stale";
  EXPECT_EQ(ReadNotesInstallPath(&path, 1), 0);
  EXPECT_EQ(path, "");
}

TEST_F(ReadNotesInstallPathTest, OnlyTheMachinesKeyCounts) {
  Record("DataPath", "C:\\Users\\ann\\Notes\\Data", util::kRegistryCurrentUser);
  std::string path;
  EXPECT_EQ(ReadNotesInstallPath(&path, 1), 0);
  EXPECT_EQ(path, "");
}

TEST_F(ReadNotesInstallPathTest, ValuesUpTo260BytesFit) {
  const std::string longest(259, 'd');
  Record("DataPath", longest);
  std::string path;
  EXPECT_EQ(ReadNotesInstallPath(&path, 1), 1);
  EXPECT_EQ(path, longest);
  Record("DataPath", longest + "d");
  path = "stale";
  EXPECT_EQ(ReadNotesInstallPath(&path, 1), 0);
  EXPECT_EQ(path, "");
}

TEST_F(ReadNotesInstallPathTest, ValueWithoutTerminatorEndsWithItsBytes) {
  os::RegistryKey key = nullptr;
  ASSERT_EQ(os::RegistryCreateKey(os::LocalMachineRoot(), kNotesKey, 0, &key),
            os::kRegistrySuccess);
  const std::string bytes = "C:\\Bare";
  ASSERT_EQ(os::RegistrySetValue(key, "Path", os::kRegistryString,
                                 reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                 static_cast<std::uint32_t>(bytes.size())),
            os::kRegistrySuccess);
  os::RegistryCloseKey(key);
  std::string path;
  EXPECT_EQ(ReadNotesInstallPath(&path, 0), 1);
  EXPECT_EQ(path, "C:\\Bare");
}

}  // namespace
}  // namespace quendral
