#include "util/registry/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "support/text_code_page.h"
#include "tests/util/registry/registry_fixture.h"

namespace quendral::util {
namespace {

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

using fixtures::RegistryTest;

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

}  // namespace
}  // namespace quendral::util
