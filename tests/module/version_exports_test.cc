// Each module captures its version when it is loaded and reports it through
// its exported functions.
#include <gtest/gtest.h>

#include <string>

#include "platform/os/language.h"
#include "platform/os/library.h"
#include "platform/os/test_libraries.h"
#include "quendral/quendral.h"

namespace {

using GetNumber = int(QUENDRAL_CALL*)();

struct Reported {
  bool loaded = false;
  int major = -1;
  int minor = -1;
  int build = -1;
};

Reported Load(const std::string& path) {
  const quendral::os::LoadedLibrary library(path);
  Reported reported;
  reported.loaded = library.loaded();
  auto call = [&library](const char* name) {
    const auto entry = reinterpret_cast<GetNumber>(library.Find(name));
    return entry == nullptr ? -1 : entry();
  };
  reported.major = call("GetMajorVersion");
  reported.minor = call("GetMinorVersion");
  reported.build = call("GetBuildNumber");
  return reported;
}

void ExpectReported(const std::string& path, int major, int minor, int build) {
  const Reported reported = Load(path);
  ASSERT_TRUE(reported.loaded) << path;
  EXPECT_EQ(reported.major, major) << path;
  EXPECT_EQ(reported.minor, minor) << path;
  EXPECT_EQ(reported.build, build) << path;
}

TEST(VersionExports, TheModuleReportsOneTwoZero) {
  ExpectReported(quendral::os_test::QuendralLibraryPath(), 1, 2, 0);
}

TEST(VersionExports, ModulesReportTheirOwnVersions) {
  ExpectReported(quendral::os_test::VersionModulePath("version_module_comma"), 7, 8, 9);
  ExpectReported(quendral::os_test::VersionModulePath("version_module_dotted"), 3, 4, 5);
  ExpectReported(quendral::os_test::VersionModulePath("version_module_other_translation"), 2, 4, 6);
  ExpectReported(quendral::os_test::VersionModulePath("version_module_text_256"), 1, 2, 3);
}

TEST(VersionExports, DllGetVersionDecides) {
  ExpectReported(quendral::os_test::VersionModulePath("version_module_dll_get_version"), 11, 12,
                 13);
  ExpectReported(quendral::os_test::VersionModulePath("version_module_dll_get_version_fails"), 4, 5,
                 6);
}

TEST(VersionExports, ModuleWithoutAVersionStillLoadsAndReportsZero) {
  ExpectReported(quendral::os_test::VersionModulePath("version_module_two_numbers"), 0, 0, 0);
}

TEST(VersionExports, ModuleWithoutTranslationReadsTheUsersLanguage) {
  const bool english = quendral::os::UserDefaultLanguage() == quendral::os::kEnglishUnitedStates;
  ExpectReported(quendral::os_test::VersionModulePath("version_module_no_translation"),
                 english ? 9 : 0, english ? 8 : 0, english ? 7 : 0);
}

TEST(VersionExports, ReloadingCapturesAgain) {
  const std::string path = quendral::os_test::VersionModulePath("version_module_comma");
  for (int i = 0; i < 3; ++i) {
    ExpectReported(path, 7, 8, 9);
  }
}

}  // namespace
