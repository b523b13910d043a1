#include "platform/notes/api/location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/notes/notes_test_support.h"
#include "platform/os/environment.h"
#include "platform/os/special_folders.h"
#include "support/environment_override.h"

namespace quendral::platform {
namespace {

namespace fs = std::filesystem;
using fixtures::TemporaryDirectory;

void WriteServers(const fs::path& data, const std::string& json) {
  std::ofstream(data / kServersFileName) << json;
}

// Windows makes symbolic links only with a privilege, and Wine not at all.
#define SYMLINK_OR_SKIP(target, link)                                           \
  do {                                                                          \
    std::error_code error;                                                      \
    fs::create_symlink(target, link, error);                                    \
    if (error) {                                                                \
      GTEST_SKIP() << "no symbolic link can be made here: " << error.message(); \
    }                                                                           \
  } while (false)

TEST(DataDirectory, ComesFromTheEnvironmentElseTheProfileFolder) {
  quendral::fixtures::EnvironmentOverride variable(kDataDirectoryVariable, "/srv/notes");
  EXPECT_EQ(DefaultDataDirectory(), fs::path("/srv/notes"));
  variable.Set(nullptr);
  // The profile folder is $HOME outside Windows, never $HOME on Windows.
  std::string profile;
  if (os::ReadSpecialFolderPath(os::kProfileFolder, &profile)) {
    EXPECT_EQ(DefaultDataDirectory(), fs::path(profile) / "notesdata");
  }
}

// Windows sets no HOME of its own; where one is set, it is not the user's
// profile folder. Outside Windows an unset HOME falls back on the password
// database.
TEST(DataDirectory, DefaultIsInTheHomeFolderWhateverHomeHolds) {
  quendral::fixtures::EnvironmentOverride variable(kDataDirectoryVariable, nullptr);
  quendral::fixtures::EnvironmentOverride home("HOME", nullptr);
  const std::string unset_home = os::HomeFolder();
  EXPECT_TRUE(!unset_home.empty() || !os::kRunsOnWindows) << "every Windows user has a profile";
  EXPECT_EQ(DefaultDataDirectory(), fs::path(unset_home.empty() ? "." : unset_home) / "notesdata");

  home.Set("/quendral/elsewhere");
  EXPECT_EQ(DefaultDataDirectory(), fs::path(os::HomeFolder()) / "notesdata");
  EXPECT_EQ(os::HomeFolder(), os::kRunsOnWindows ? unset_home : "/quendral/elsewhere");
}

TEST(ServerDirectory, EmptyServerIsTheDataDirectory) {
  TemporaryDirectory data;
  fs::path directory;
  ASSERT_EQ(ResolveServerDirectory(data.path(), "", &directory), kNoError);
  EXPECT_EQ(directory, data.path());
}

TEST(ServerDirectory, NamesAreLookedUpWithoutRegardToCase) {
  TemporaryDirectory data;
  TemporaryDirectory elsewhere;
  const std::string absolute = elsewhere.path().generic_string();
  WriteServers(data.path(), R"({"Local": "here", "Srv1/Acme": ")" + absolute + R"("})");
  fs::path directory;
  ASSERT_EQ(ResolveServerDirectory(data.path(), "Local", &directory), kNoError);
  EXPECT_EQ(directory, data.path() / "here");
  ASSERT_EQ(ResolveServerDirectory(data.path(), "srv1/ACME", &directory), kNoError);
  EXPECT_EQ(directory, elsewhere.path());
}

TEST(ServerDirectory, UnknownServerOrBadFileIsAnError) {
  TemporaryDirectory data;
  fs::path directory;
  EXPECT_EQ(ResolveServerDirectory(data.path(), "Local", &directory), kErrUnknownServer);
  WriteServers(data.path(), R"({"Other": "x", "Number": 5})");
  EXPECT_EQ(ResolveServerDirectory(data.path(), "Local", &directory), kErrUnknownServer);
  EXPECT_EQ(ResolveServerDirectory(data.path(), "Number", &directory), kErrUnknownServer);
  WriteServers(data.path(), "{not json");
  EXPECT_EQ(ResolveServerDirectory(data.path(), "Other", &directory), kErrUnknownServer);
}

class DatabasePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(data_.path() / "apps");
    std::ofstream(data_.path() / "apps" / "names.nsf") << "x";
    std::ofstream(outside_.path() / "secret.nsf") << "x";
  }
  STATUS Resolve(const std::string& path) {
    return ResolveDatabasePath(data_.path(), path, &file_);
  }

  TemporaryDirectory data_;
  TemporaryDirectory outside_;
  fs::path file_;
};

TEST_F(DatabasePathTest, RelativePathsWithEitherSeparator) {
  ASSERT_EQ(Resolve("apps/names.nsf"), kNoError);
  EXPECT_EQ(file_, data_.path() / "apps" / "names.nsf");
  ASSERT_EQ(Resolve("apps\\names.nsf"), kNoError);
  EXPECT_EQ(file_, data_.path() / "apps" / "names.nsf");
  EXPECT_EQ(Resolve("apps/other.nsf"), kErrDatabaseNotFound);
  EXPECT_EQ(Resolve(""), kErrDatabaseNotFound);
  EXPECT_EQ(Resolve("apps"), kErrDatabaseNotFound);
}

TEST_F(DatabasePathTest, AbsolutePathOnlyInsideTheDirectory) {
  EXPECT_EQ(Resolve((data_.path() / "apps" / "names.nsf").string()), kNoError);
  EXPECT_EQ(Resolve((outside_.path() / "secret.nsf").string()), kErrPathOutsideDataDirectory);
}

TEST_F(DatabasePathTest, DotDotThatLeavesIsRefused) {
  std::string up = "../" + outside_.path().filename().string() + "/secret.nsf";
  EXPECT_EQ(Resolve(up), kErrPathOutsideDataDirectory);
  EXPECT_EQ(Resolve("apps/../../x.nsf"), kErrPathOutsideDataDirectory);
  EXPECT_EQ(Resolve("..\\..\\etc\\passwd"), kErrPathOutsideDataDirectory);
  EXPECT_EQ(Resolve("apps/../apps/names.nsf"), kNoError);
}

TEST_F(DatabasePathTest, SymbolicLinksOutAreRefused) {
  SYMLINK_OR_SKIP(outside_.path() / "secret.nsf", data_.path() / "link.nsf");
  fs::create_directory_symlink(outside_.path(), data_.path() / "elsewhere");
  EXPECT_EQ(Resolve("link.nsf"), kErrPathOutsideDataDirectory);
  EXPECT_EQ(Resolve("elsewhere/secret.nsf"), kErrPathOutsideDataDirectory);
  // A link that stays inside is fine.
  fs::create_symlink(data_.path() / "apps" / "names.nsf", data_.path() / "inside.nsf");
  EXPECT_EQ(Resolve("inside.nsf"), kNoError);
}

TEST_F(DatabasePathTest, PrefixOfTheDirectoryNameIsNotInside) {
  fs::path sibling = data_.path().string() + "-other";
  fs::create_directories(sibling);
  std::ofstream(sibling / "x.nsf") << "x";
  EXPECT_EQ(Resolve((sibling / "x.nsf").string()), kErrPathOutsideDataDirectory);
  fs::remove_all(sibling);
}

TEST(ReplicaLookup, FindsByReplicaIdAndNoticesChangedFiles) {
  TemporaryDirectory data;
  TIMEDATE first{{0x0058F1B2, 0x85256E3A}};
  TIMEDATE second{{7, 7}};
  fixtures::WriteDatabase(data.path() / "a.nsf", first, {});
  fixtures::WriteDatabase(data.path() / "sub" / "b.nsf", second, {});
  fs::path file;
  ASSERT_EQ(FindReplica(data.path(), second, &file), kNoError);
  EXPECT_EQ(file, data.path() / "sub" / "b.nsf");
  EXPECT_EQ(FindReplica(data.path(), TIMEDATE{{9, 9}}, &file), kErrReplicaNotFound);

  // The catalog must not answer with a file that no longer holds the replica.
  fs::remove(data.path() / "sub" / "b.nsf");
  fixtures::WriteDatabase(data.path() / "c.nsf", second, {});
  ASSERT_EQ(FindReplica(data.path(), second, &file), kNoError);
  EXPECT_EQ(file, data.path() / "c.nsf");
  ASSERT_EQ(FindReplica(data.path(), first, &file), kNoError);
  EXPECT_EQ(file, data.path() / "a.nsf");
}

TEST(ReplicaLookup, ZeroReplicaIdNeverFindsADatabase) {
  TemporaryDirectory data;
  fixtures::WriteDatabase(data.path() / "zero.nsf", TIMEDATE{}, {});
  store::DatabaseImage image;
  ASSERT_EQ(store::ReadDatabaseImage(data.path() / "zero.nsf", &image), kNoError);
  EXPECT_NE(image.replica_id.Innards[0] | image.replica_id.Innards[1], 0u);
  fs::path file;
  EXPECT_EQ(FindReplica(data.path(), TIMEDATE{}, &file), kErrReplicaNotFound);
  EXPECT_EQ(FindReplica(data.path(), image.replica_id, &file), kNoError);
}

TEST(ReplicaLookup, LinksOutOfTheDirectoryAreNotFollowed) {
  TemporaryDirectory data;
  TemporaryDirectory outside;
  TIMEDATE replica{{3, 4}};
  fixtures::WriteDatabase(outside.path() / "x.nsf", replica, {});
  SYMLINK_OR_SKIP(outside.path() / "x.nsf", data.path() / "x.nsf");
  fs::path file;
  EXPECT_EQ(FindReplica(data.path(), replica, &file), kErrReplicaNotFound);
}

}  // namespace
}  // namespace quendral::platform
