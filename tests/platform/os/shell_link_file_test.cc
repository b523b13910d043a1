#include "platform/os/shell_link_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os/shell_link_bytes.h"

namespace quendral::os {
namespace {

using os_test::Bytes;
using os_test::LinkFile;

TEST(ShellLinkFileTest, LocalTarget) {
  EXPECT_EQ(ShellLinkTarget(LinkFile("C:\\Data\\", "", "report.txt")), "C:\\Data\\report.txt");
}

TEST(ShellLinkFileTest, NetworkFormIsPreferred) {
  EXPECT_EQ(ShellLinkTarget(LinkFile("Z:\\", "\\\\srv\\share", "dir\\f.txt")),
            "\\\\srv\\share\\dir\\f.txt");
  EXPECT_EQ(ShellLinkTarget(LinkFile("", "\\\\srv\\share", "")), "\\\\srv\\share");
}

TEST(ShellLinkFileTest, ItemListIsSkipped) {
  EXPECT_EQ(ShellLinkTarget(LinkFile("C:\\x\\", "", "y", true)), "C:\\x\\y");
}

TEST(ShellLinkFileTest, NotALink) {
  EXPECT_EQ(ShellLinkTarget(Bytes{}), std::nullopt);
  Bytes wrong_class = LinkFile("C:\\", "", "a");
  wrong_class[4] ^= 1;
  EXPECT_EQ(ShellLinkTarget(wrong_class), std::nullopt);
}

TEST(ShellLinkFileTest, EveryTruncationIsRejectedSafely) {
  const Bytes whole = LinkFile("C:\\Data\\", "\\\\srv\\share", "report.txt", true);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(ShellLinkTarget(cut), std::nullopt) << size;
  }
}

TEST(ShellLinkFileTest, OffsetsOutsideTheInformationAreRejected) {
  Bytes file = LinkFile("C:\\", "", "a");
  file[0x4C + 24] = 0xFF;  // the suffix offset
  EXPECT_EQ(ShellLinkTarget(file), std::nullopt);
}

}  // namespace
}  // namespace quendral::os
