// Paths of the system's own form outside Windows.
#include <gtest/gtest.h>

#include "tests/util/files/path_parts.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

using fixtures::ExpectParts;
using fixtures::Sanitized;
using fixtures::Split;

TEST(SplitPathTest, NativePathsOutsideWindows) {
  ExpectParts(Split("/data/a:b/f.txt"), "", "data/a:b", "f", "txt");
  EXPECT_TRUE(Split("/data/f.txt").rooted);
  EXPECT_EQ(Sanitized("/data//a|b/f?.txt"), "/data/a-b/f-.txt");
  EXPECT_EQ(Sanitized("C:/a"), "C:/a");
}

}  // namespace
}  // namespace quendral::util
