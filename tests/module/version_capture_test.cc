#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "module/version.h"
#include "platform/os/library.h"
#include "platform/os/module.h"
#include "platform/os/test_libraries.h"

namespace quendral {
namespace {

using os_test::VersionModulePath;

struct Captured {
  bool ok;
  ModuleVersion version;
};

Captured Capture(const std::string& path) {
  Captured captured{false, {-1, -1, -1, nullptr}};
  captured.ok = CaptureModuleVersion(path, &captured.version);
  return captured;
}

void ExpectNumbers(const Captured& captured, int major, int minor, int build) {
  EXPECT_TRUE(captured.ok);
  EXPECT_EQ(captured.version.major, major);
  EXPECT_EQ(captured.version.minor, minor);
  EXPECT_EQ(captured.version.build, build);
}

void ExpectUntouched(const Captured& captured) {
  EXPECT_FALSE(captured.ok);
  EXPECT_EQ(captured.version.major, -1);
  EXPECT_EQ(captured.version.minor, -1);
  EXPECT_EQ(captured.version.build, -1);
}

TEST(CaptureModuleVersion, TheModuleItselfIsOneTwoZero) {
  ExpectNumbers(Capture(os_test::QuendralLibraryPath()), 1, 2, 0);
}

TEST(CaptureModuleVersion, CommaSeparatedFileVersion) {
  ExpectNumbers(Capture(VersionModulePath("version_module_comma")), 7, 8, 9);
}

TEST(CaptureModuleVersion, DottedFileVersion) {
  ExpectNumbers(Capture(VersionModulePath("version_module_dotted")), 3, 4, 5);
}

TEST(CaptureModuleVersion, TwoNumbersAreNotAVersion) {
  ExpectUntouched(Capture(VersionModulePath("version_module_two_numbers")));
}

TEST(CaptureModuleVersion, TextCutToItsBufferStillGivesItsNumbers) {
  ExpectNumbers(Capture(VersionModulePath("version_module_text_256")), 1, 2, 3);
}

TEST(CaptureModuleVersion, DllGetVersionComesBeforeTheVersionBlock) {
  ExpectNumbers(Capture(VersionModulePath("version_module_dll_get_version")), 11, 12, 13);
}

TEST(CaptureModuleVersion, FailingDllGetVersionLeavesItToTheVersionBlock) {
  ExpectNumbers(Capture(VersionModulePath("version_module_dll_get_version_fails")), 4, 5, 6);
}

TEST(CaptureModuleVersion, MissingFileLeavesTheVersionUntouched) {
  ExpectUntouched(Capture(VersionModulePath("no_such_module")));
  ExpectUntouched(Capture(""));
}

// A module not found as named is looked for in each fallback folder in turn,
// the first that holds it giving the numbers.
TEST(CaptureModuleVersion, ModuleNotFoundAsNamedIsLookedForInTheFoldersInTurn) {
  namespace fs = std::filesystem;
  const fs::path root =
      fs::temp_directory_path() / ("quendral-capture-" + std::to_string(std::random_device()()));
  const std::string name = "fallback" + std::string(os::kLibraryFileSuffix);
  const std::string dotted = (root / "dotted").string(), comma = (root / "comma").string();
  for (const auto& [folder, module] :
       {std::pair{dotted, "version_module_dotted"}, std::pair{comma, "version_module_comma"}}) {
    fs::create_directories(folder);
    fs::copy_file(VersionModulePath(module), fs::path(folder) / name);
  }
  const std::string missing = (root / "missing").string();
  const auto capture = [&](const std::vector<std::string>& folders) {
    Captured captured{false, {-1, -1, -1, nullptr}};
    captured.ok = CaptureModuleVersion(name, folders, &captured.version);
    return captured;
  };
  ExpectNumbers(capture({"", missing, dotted, comma}), 3, 4, 5);
  ExpectNumbers(capture({comma, dotted}), 7, 8, 9);
  ExpectUntouched(capture({"", missing}));
  fs::remove_all(root);
}

TEST(AttachModule, CapturesTheVersionOfTheGivenModule) {
  const os::LoadedLibrary library(VersionModulePath("version_module_dotted"));
  const os::LibraryEntry entry = library.Find("GetMajorVersion");
  ASSERT_NE(entry, nullptr);
  const os::ModuleHandle module = os::ModuleContaining(reinterpret_cast<const void*>(entry));
  AttachModule(module);
  EXPECT_EQ(LoadedModuleVersion().major, 3);
  EXPECT_EQ(LoadedModuleVersion().minor, 4);
  EXPECT_EQ(LoadedModuleVersion().build, 5);
  EXPECT_EQ(LoadedModuleVersion().instance, module);

  // A later attach starts from nothing; without a handle it captures nothing.
  AttachModule(nullptr);
  EXPECT_EQ(LoadedModuleVersion().major, 0);
  EXPECT_EQ(LoadedModuleVersion().minor, 0);
  EXPECT_EQ(LoadedModuleVersion().build, 0);
  EXPECT_EQ(LoadedModuleVersion().instance, nullptr);
}

}  // namespace
}  // namespace quendral
