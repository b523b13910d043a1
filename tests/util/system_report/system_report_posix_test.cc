// The system information report of the machine the tests run on, outside Windows.
#include <gtest/gtest.h>

#include "util/system_report/system_report.h"

namespace quendral::util {
namespace {

TEST(SystemReportOfThisMachine, OutsideWindowsTheKindIsZero) {
  EXPECT_EQ(GetWindowsKind(), 0);
  EXPECT_EQ(GetInternetExplorerVersionText(), "Cannot extract version number of Internet Explorer");
}

}  // namespace
}  // namespace quendral::util
