// Where the test programs find the libraries built for them: the version
// test modules beside the program, and the module itself beside it on
// Windows or in ../lib elsewhere.
#ifndef QUENDRAL_TESTS_PLATFORM_OS_TEST_LIBRARIES_H_
#define QUENDRAL_TESTS_PLATFORM_OS_TEST_LIBRARIES_H_

#include <string>
#include <string_view>

#include "platform/os/directories.h"
#include "platform/os/library.h"
#include "platform/os/module.h"

namespace quendral::os_test {

inline std::string TestProgramPath() {
  std::string path;
  return os::ModuleFilePath(nullptr, &path) ? path : std::string();
}

inline std::string TestProgramDirectory() {
  const std::string program = TestProgramPath();
  return program.substr(0, program.find_last_of(os::kPathSeparator));
}

// `name` is a target of cmake/QuendralVersionModules.cmake.
inline std::string VersionModulePath(std::string_view name) {
  return os::JoinPath(TestProgramDirectory(), std::string(name) + os::kLibraryFileSuffix);
}

inline std::string QuendralLibraryPath() {
#if defined(_WIN32)
  return os::JoinPath(TestProgramDirectory(), "QUENDRAL.dll");
#else
  return TestProgramDirectory() + "/../lib/libquendral.so";
#endif
}

}  // namespace quendral::os_test

#endif  // QUENDRAL_TESTS_PLATFORM_OS_TEST_LIBRARIES_H_
