#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/util/files/scratch_directory.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

using QueryFileSizeTest = fixtures::ScratchDirectory;

// A FIFO without a writer must not hold the query up.
TEST_F(QueryFileSizeTest, FifoIsZeroAtOnce) {
  ASSERT_EQ(::mkfifo((root_ / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(QueryFileSize(BackslashPath("pipe")), 0U);
}

}  // namespace
}  // namespace quendral::util
