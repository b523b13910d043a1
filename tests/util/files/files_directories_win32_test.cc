#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/util/files/scratch_directory.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

namespace fs = std::filesystem;

using ExpandLongPathTest = fixtures::ScratchDirectory;

TEST_F(ExpandLongPathTest, ShortNamesBecomeLong) {
  fs::create_directories(root_ / "LongDirectoryName");
  const std::string short_form = GetShortPath(BackslashPath("LongDirectoryName"));
  ASSERT_FALSE(short_form.empty());
  EXPECT_EQ(ExpandLongPath(short_form), ExpandLongPath(BackslashPath("LongDirectoryName")));
}

}  // namespace
}  // namespace quendral::util
