#include "platform/os/module.h"

#include <gtest/gtest.h>

#include "platform/os/library.h"
#include "platform/os/test_libraries.h"

namespace quendral::os {
namespace {

int FunctionOfTheProgram() { return 1; }

TEST(Module, NullNamesTheExecutable) {
  const std::string program = os_test::TestProgramPath();
  EXPECT_NE(program.find("os_tests"), std::string::npos) << program;
  EXPECT_NE(program.find_last_of(kPathSeparator), std::string::npos);
}

TEST(Module, AddressInTheProgramNamesTheProgram) {
  const ModuleHandle module =
      ModuleContaining(reinterpret_cast<const void*>(&FunctionOfTheProgram));
  ASSERT_NE(module, nullptr);
  std::string path;
  ASSERT_TRUE(ModuleFilePath(module, &path));
  EXPECT_EQ(path, os_test::TestProgramPath());
}

TEST(Module, AddressInALibraryNamesTheLibrary) {
  const std::string expected = os_test::VersionModulePath("version_module_comma");
  const LoadedLibrary library(expected);
  const LibraryEntry entry = library.Find("GetMajorVersion");
  ASSERT_NE(entry, nullptr);
  const ModuleHandle module = ModuleContaining(reinterpret_cast<const void*>(entry));
  ASSERT_NE(module, nullptr);
  EXPECT_NE(module, ModuleContaining(reinterpret_cast<const void*>(&FunctionOfTheProgram)));
  std::string path;
  ASSERT_TRUE(ModuleFilePath(module, &path));
  EXPECT_EQ(path, expected);
}

TEST(Module, AddressOutsideEveryModuleNamesNone) {
  int on_the_stack = 0;
  EXPECT_EQ(ModuleContaining(&on_the_stack), nullptr);
}

}  // namespace
}  // namespace quendral::os
