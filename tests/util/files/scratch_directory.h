// A test fixture for file operations: a fresh directory of the test's own.
#ifndef QUENDRAL_TESTS_UTIL_FILES_SCRATCH_DIRECTORY_H_
#define QUENDRAL_TESTS_UTIL_FILES_SCRATCH_DIRECTORY_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace quendral::util::fixtures {

// A fresh directory under the system's temporary one, removed afterwards.
class ScratchDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ =
        std::filesystem::temp_directory_path() / (std::string("quendral_files_") + info->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  // `relative` (backslash-separated) below the scratch directory, with
  // backslashes between all components.
  std::string BackslashPath(const std::string& relative) const {
    std::string path = root_.string();
    for (char& c : path) {
      if (c == '/') {
        c = '\\';
      }
    }
    return path + "\\" + relative;
  }

  std::filesystem::path root_;
};

}  // namespace quendral::util::fixtures

#endif  // QUENDRAL_TESTS_UTIL_FILES_SCRATCH_DIRECTORY_H_
