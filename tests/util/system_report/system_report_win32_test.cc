// The system information report of the machine the tests run on, on Windows.
#include <gtest/gtest.h>

#include "util/system_report/system_report.h"

namespace quendral::util {
namespace {

TEST(SystemReportOfThisMachine, WindowsHasADriveC) {
  EXPECT_EQ(GetHardDiskReport().rfind("*** Hard Disk: (c:\\) ***<br>Total size: ", 0), 0U);
  EXPECT_NE(GetSpecialFolderPath(0x24), "Folder not found.");  // the Windows directory
}

}  // namespace
}  // namespace quendral::util
