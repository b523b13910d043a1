// The registry functions over their settings store outside Windows: SQLite
// files that the environment names, keys that live as long as their process.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/os/environment.h"
#include "tests/util/registry/registry_fixture.h"
#include "util/registry/registry.h"

namespace quendral::util {
namespace {

namespace fs = std::filesystem;
using fixtures::RegistryTest;

TEST_F(RegistryTest, StoreFilesFollowTheEnvironment) {
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "V", "1");
  WriteRegistryString(kRegistryLocalMachine, 0, key_, "V", "1");
  EXPECT_TRUE(fs::exists(store_ / "user.sqlite"));
  EXPECT_TRUE(fs::exists(store_ / "machine.sqlite"));
}

TEST_F(RegistryTest, UnwritableStoreKeepsTheLength) {
  os::SetEnvironment("QUENDRAL_REGISTRY_CURRENT_USER", "/proc/quendral/no/user.sqlite");
  EXPECT_EQ(WriteRegistryString(kRegistryCurrentUser, 0, key_, "V", "abc"), 3);
}

// The user store refuses what `trigger_body` refuses, from now on.
void RefuseInUserStore(const fs::path& store, const std::string& trigger) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((store / "user.sqlite").string().c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(
                db,
                ("CREATE TRIGGER refuse " + trigger + " BEGIN SELECT RAISE(ABORT, 'refused'); END")
                    .c_str(),
                nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
}

TEST_F(RegistryTest, StoringThatFailsAfterTheKeyWasMadeKeepsTheLength) {
  ASSERT_EQ(WriteRegistryString(kRegistryCurrentUser, 0, key_, "First", "x"), 2);
  RefuseInUserStore(store_, "BEFORE INSERT ON registry_values");
  EXPECT_EQ(WriteRegistryString(kRegistryCurrentUser, 0, key_ + "\\new", "V", "abc"), 3);
  int place = kRegistryCurrentUser;
  EXPECT_EQ(ReadRegistryValue(key_ + "\\new", "V", buffer_, sizeof(buffer_), &place), -1);
}

TEST_F(RegistryTest, DeleteTreeStopsAtTheFirstSubkeyItCannotDelete) {
  for (const char* subkey : {"\\a", "\\b", "\\c"}) {
    WriteRegistryString(kRegistryCurrentUser, 0, key_ + subkey, "V", "1");
  }
  RefuseInUserStore(store_, "BEFORE DELETE ON registry_keys WHEN old.name = 'b'");
  EXPECT_EQ(DeleteRegistryKeyTree(os::CurrentUserRoot(), key_), os::kRegistryAccessDenied);
  int place = kRegistryCurrentUser;
  EXPECT_EQ(ReadRegistryValue(key_ + "\\a", "V", buffer_, sizeof(buffer_), &place), -1);
  EXPECT_EQ(ReadRegistryValue(key_ + "\\c", "V", buffer_, sizeof(buffer_), &place), 2);
}

TEST_F(RegistryTest, KeyOpenedForQueryOnlyCannotStore) {
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "V", "1");
  const std::uint8_t data[] = "2";
  for (const auto access : {os::RegistryAccess::kQuery, os::RegistryAccess::kReadWrite}) {
    os::RegistryKey key = nullptr;
    ASSERT_EQ(os::RegistryOpenKey(os::CurrentUserRoot(), key_, access, &key), os::kRegistrySuccess);
    EXPECT_EQ(
        os::RegistrySetValue(key, "V", os::kRegistryString, data, sizeof data),
        access == os::RegistryAccess::kQuery ? os::kRegistryAccessDenied : os::kRegistrySuccess);
    os::RegistryCloseKey(key);
  }
}

TEST_F(RegistryTest, VolatileKeyLastsAsLongAsItsProcess) {
  const std::string mine = key_ + "\\mine";
  const std::string theirs = key_ + "\\theirs";
  ASSERT_EQ(WriteRegistryString(kRegistryCurrentUser, os::kRegistryOptionVolatile, mine, "V", "1"),
            2);
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    _exit(WriteRegistryString(kRegistryCurrentUser, os::kRegistryOptionVolatile, theirs, "V",
                              "1") == 2
              ? 0
              : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  int place = kRegistryCurrentUser;
  EXPECT_EQ(ReadRegistryValue(mine, "V", buffer_, sizeof(buffer_), &place), 2);
  EXPECT_EQ(ReadRegistryValue(theirs, "V", buffer_, sizeof(buffer_), &place), -1);
  // Made again, the key is a new one of this process.
  EXPECT_EQ(WriteRegistryString(kRegistryCurrentUser, 0, theirs + "\\below", "V", "1"), 2);
  EXPECT_EQ(ReadRegistryValue(theirs + "\\below", "V", buffer_, sizeof(buffer_), &place), 2);
}

}  // namespace
}  // namespace quendral::util
