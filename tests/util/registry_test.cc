#include "util/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "support/text_code_page.h"

#if !defined(_WIN32)
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quendral::util {
namespace {

namespace fs = std::filesystem;

TEST(FindInStringListTest, CountLimitsTheSearch) {
  const std::vector<std::string> list = {"alpha", "beta", "Gamma"};
  EXPECT_EQ(FindInStringList(list, "gamma", 2), 0);
  EXPECT_EQ(FindInStringList(list, "gamma", -1), 1);
  EXPECT_EQ(FindInStringList(list, "gamma", 3), 1);
  EXPECT_EQ(FindInStringList(list, "gamma", 99), 1);
  EXPECT_EQ(FindInStringList(list, "ALPHA", 1), 1);
  EXPECT_EQ(FindInStringList(list, "alph", -1), 0);
  EXPECT_EQ(FindInStringList({}, "x", -1), 0);
  EXPECT_EQ(FindInStringList(list, "alpha", -2), 0) << "only -1 means the whole list";
}

TEST(FindInStringListTest, DoubleByteCharactersCompareWholeInCodePage932) {
  const quendral::fixtures::TextCodePage japanese(932);
  // The second bytes 0x41 and 0x61 are "A" and "a" as single bytes.
  const std::vector<std::string> list = {"x\x83\x41"};
  EXPECT_EQ(FindInStringList(list, "X\x83\x41", -1), 1);
  EXPECT_EQ(FindInStringList(list, "x\x83\x61", -1), 0);
}

#if !defined(_WIN32)
void SetEnvironment(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }

#endif

// Each test gets its own key path; outside Windows also its own store files.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    key_ = std::string("Software\\QuendralTests\\") + info->name();
#if !defined(_WIN32)
    store_ = fs::temp_directory_path() / (std::string("quendral_registry_") + info->name());
    fs::remove_all(store_);
    SetEnvironment("QUENDRAL_REGISTRY_CURRENT_USER", (store_ / "user.sqlite").string());
    SetEnvironment("QUENDRAL_REGISTRY_LOCAL_MACHINE", (store_ / "machine.sqlite").string());
#endif
    Clean();
  }
  void TearDown() override {
    Clean();
#if !defined(_WIN32)
    fs::remove_all(store_);
#endif
  }

  void Clean() {
    DeleteRegistryKeyTree(os::CurrentUserRoot(), key_);
    DeleteRegistryKeyTree(os::LocalMachineRoot(), key_);
  }

  int Read(const std::string& name, int* place, std::uint32_t size = sizeof(buffer_)) {
    std::memset(buffer_, 'x', sizeof(buffer_));
    return ReadRegistryValue(key_, name, buffer_, size, place);
  }

  std::string key_;
  fs::path store_;
  char buffer_[64];
};

TEST_F(RegistryTest, WrittenStringReadsBackWithItsTerminator) {
  EXPECT_EQ(WriteRegistryString(kRegistryCurrentUser, 0, key_, "Name", "value"), 6);
  int place = kRegistryPlaceUnknown;
  EXPECT_EQ(Read("Name", &place), 6);
  EXPECT_STREQ(buffer_, "value");
  EXPECT_EQ(place, kRegistryCurrentUser);
}

TEST_F(RegistryTest, ValueNamesIgnoreCase) {
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "Name", "first");
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "NAME", "second");
  int place = kRegistryCurrentUser;
  EXPECT_EQ(Read("name", &place), 7);
  EXPECT_STREQ(buffer_, "second");
}

TEST_F(RegistryTest, UnknownPlaceFindsTheMachineValueAndRemembers) {
  ASSERT_EQ(WriteRegistryString(kRegistryLocalMachine, 0, key_, "Only", "here"), 5);
  int place = kRegistryPlaceUnknown;
  EXPECT_EQ(Read("Only", &place), 5);
  EXPECT_EQ(place, kRegistryLocalMachine);
  EXPECT_EQ(Read("Only", &place), 5);

  int user_only = kRegistryCurrentUser;
  EXPECT_EQ(Read("Only", &user_only), -1);
  EXPECT_EQ(user_only, kRegistryCurrentUser);
}

TEST_F(RegistryTest, CurrentUserKeyHidesTheMachineValue) {
  WriteRegistryString(kRegistryLocalMachine, 0, key_, "Value", "machine");
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "Other", "user");
  int place = kRegistryPlaceUnknown;
  EXPECT_EQ(Read("Value", &place), -1);
  EXPECT_EQ(place, kRegistryCurrentUser);
}

TEST_F(RegistryTest, MissingKeyOrBadSelector) {
  int place = kRegistryPlaceUnknown;
  EXPECT_EQ(Read("Nothing", &place), -1);
  EXPECT_EQ(place, kRegistryPlaceUnknown);
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "Name", "v");
  int bad = 3;
  EXPECT_EQ(Read("Name", &bad), -1);
  EXPECT_EQ(bad, 3);
}

TEST_F(RegistryTest, TooSmallABufferGivesMinusOneAndZeroedStart) {
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "Long", "a longer value");
  int place = kRegistryCurrentUser;
  EXPECT_EQ(Read("Long", &place, 8), -1);
  EXPECT_EQ(std::memcmp(buffer_, "\0\0\0\0", 4), 0);
}

TEST_F(RegistryTest, UnknownRootWritesNothing) {
  EXPECT_EQ(WriteRegistryString(3, 0, key_, "Name", "abc"), 3);
  int place = kRegistryPlaceUnknown;
  EXPECT_EQ(Read("Name", &place), -1);
}

TEST_F(RegistryTest, DeleteTreeRemovesEverythingBelow) {
  WriteRegistryString(kRegistryCurrentUser, 0, key_ + "\\a\\b", "V", "1");
  WriteRegistryString(kRegistryCurrentUser, 0, key_ + "\\a\\c", "V", "2");
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "Top", "3");
  EXPECT_EQ(DeleteRegistryKeyTree(os::CurrentUserRoot(), key_), 0);
  int place = kRegistryCurrentUser;
  EXPECT_EQ(Read("Top", &place), -1);
  EXPECT_EQ(ReadRegistryValue(key_ + "\\a\\b", "V", buffer_, sizeof(buffer_), &place), -1);
}

TEST_F(RegistryTest, DeleteMissingKeyGivesNotFound) {
  EXPECT_EQ(DeleteRegistryKeyTree(os::CurrentUserRoot(), key_ + "\\missing"), 2);
}

#if !defined(_WIN32)
TEST_F(RegistryTest, StoreFilesFollowTheEnvironment) {
  WriteRegistryString(kRegistryCurrentUser, 0, key_, "V", "1");
  WriteRegistryString(kRegistryLocalMachine, 0, key_, "V", "1");
  EXPECT_TRUE(fs::exists(store_ / "user.sqlite"));
  EXPECT_TRUE(fs::exists(store_ / "machine.sqlite"));
}

TEST_F(RegistryTest, UnwritableStoreKeepsTheLength) {
  SetEnvironment("QUENDRAL_REGISTRY_CURRENT_USER", "/proc/quendral/no/user.sqlite");
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
#endif

}  // namespace
}  // namespace quendral::util
