#include "platform/os/library.h"

#include <gtest/gtest.h>

#include "platform/os/test_libraries.h"

namespace quendral::os {
namespace {

using GetNumber = int (*)();

TEST(Library, LoadsAndFindsEntries) {
  const LoadedLibrary library(os_test::VersionModulePath("version_module_comma"));
  ASSERT_TRUE(library.loaded()) << os_test::VersionModulePath("version_module_comma");
  const auto get_major = reinterpret_cast<GetNumber>(library.Find("GetMajorVersion"));
  ASSERT_NE(get_major, nullptr);
  EXPECT_EQ(get_major(), 7);
}

TEST(Library, MissingEntryIsNull) {
  const LoadedLibrary library(os_test::VersionModulePath("version_module_comma"));
  ASSERT_TRUE(library.loaded());
  EXPECT_EQ(library.Find("DllGetVersion"), nullptr);
  EXPECT_EQ(library.Find("NoSuchEntry"), nullptr);
  const LoadedLibrary other(os_test::VersionModulePath("version_module_dll_get_version"));
  EXPECT_NE(other.Find("DllGetVersion"), nullptr);
}

TEST(Library, EntriesOfItsDependenciesAreNotItsOwn) {
  const LoadedLibrary library(os_test::VersionModulePath("version_module_comma"));
  ASSERT_TRUE(library.loaded());
  EXPECT_EQ(library.Find("malloc"), nullptr);
  EXPECT_EQ(library.Find("strlen"), nullptr);
}

TEST(Library, MissingFileDoesNotLoad) {
  const LoadedLibrary library(os_test::VersionModulePath("no_such_module"));
  EXPECT_FALSE(library.loaded());
  EXPECT_EQ(library.Find("GetMajorVersion"), nullptr);
}

TEST(Library, LoadingTwiceGivesTheSameLibraryUntilEachIsClosed) {
  const std::string path = os_test::VersionModulePath("version_module_dotted");
  const LibraryHandle first = OpenLibrary(path);
  const LibraryHandle second = OpenLibrary(path);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  CloseLibrary(second);
  const auto get_minor = reinterpret_cast<GetNumber>(FindLibraryEntry(first, "GetMinorVersion"));
  ASSERT_NE(get_minor, nullptr);
  EXPECT_EQ(get_minor(), 4);
  CloseLibrary(first);
}

TEST(Library, FindsEntriesOfTheirOwnType) {
  const LoadedLibrary library(os_test::VersionModulePath("version_module_comma"));
  const GetNumber get_major = library.Find<GetNumber>("GetMajorVersion");
  ASSERT_NE(get_major, nullptr);
  EXPECT_EQ(get_major(), 7);
  EXPECT_EQ(library.Find<GetNumber>("NoSuchEntry"), nullptr);
}

TEST(BindLibrary, FillsEveryEntryOfALibraryKeptLoaded) {
  GetNumber get_major = nullptr;
  GetNumber get_minor = nullptr;
  ASSERT_TRUE(BindLibrary(os_test::VersionModulePath("version_module_dotted"),
                          {{"GetMajorVersion", &get_major}, {"GetMinorVersion", &get_minor}}));
  ASSERT_NE(get_major, nullptr);
  ASSERT_NE(get_minor, nullptr);
  EXPECT_EQ(get_minor(), 4);
}

TEST(BindLibrary, FailsWhenTheLibraryOrAnyEntryIsMissing) {
  const std::string path = os_test::VersionModulePath("version_module_comma");
  GetNumber get_major = nullptr;
  GetNumber other = nullptr;
  EXPECT_FALSE(BindLibrary(path, {{"GetMajorVersion", &get_major}, {"NoSuchEntry", &other}}));
  // An entry of one of the libraries it depends on is not its own.
  EXPECT_FALSE(BindLibrary(path, {{"GetMajorVersion", &get_major}, {"strlen", &other}}));
  EXPECT_FALSE(
      BindLibrary(os_test::VersionModulePath("no_such_module"), {{"GetMajorVersion", &get_major}}));
}

}  // namespace
}  // namespace quendral::os
