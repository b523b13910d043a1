// Facts about this machine: drives, memory, names, processors, address
// and version.
#include "platform/os/system_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <thread>

#include "platform/os/volumes.h"

namespace quendral::os {
namespace {

TEST(MachineMemory, HasPhysicalMemoryAndALoad) {
  MemoryStatus status;
  ASSERT_TRUE(ReadMemoryStatus(&status));
  EXPECT_GT(status.total_physical_bytes, std::uint64_t{16} << 20);
  EXPECT_LE(status.available_physical_bytes, status.total_physical_bytes);
  EXPECT_LE(status.memory_load_percent, 100U);
}

#ifndef _WIN32
// Available memory is what the kernel says programs can have, caches it can
// drop included, not the free memory alone.
TEST(MachineMemory, AvailableIsWhatTheKernelReportsAsAvailable) {
  std::ifstream meminfo("/proc/meminfo");
  std::uint64_t reported = 0;
  for (std::string line; std::getline(meminfo, line);) {
    if (line.starts_with("MemAvailable:")) {
      reported = std::stoull(line.substr(13)) * 1024;
    }
  }
  if (reported == 0) {
    GTEST_SKIP() << "the kernel reports no available memory";
  }
  MemoryStatus status;
  ASSERT_TRUE(ReadMemoryStatus(&status));
  const std::uint64_t difference = reported > status.available_physical_bytes
                                       ? reported - status.available_physical_bytes
                                       : status.available_physical_bytes - reported;
  EXPECT_LT(difference, status.total_physical_bytes / 10);
}
#endif

TEST(MachineProcessors, CountsThoseOnline) {
  EXPECT_GE(ProcessorCount(), 1);
  const unsigned hardware = std::thread::hardware_concurrency();
  if (hardware != 0) {
    EXPECT_LE(ProcessorCount(), static_cast<int>(hardware));
  }
}

TEST(MachineName, FitsAWindowsComputerName) {
  std::string name;
  if (ReadComputerName(&name)) {
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 15U);
  }
}

TEST(MachineAddress, EmptyOrDottedIpv4) {
  const std::string address = HostIpv4Address();
  if (!address.empty()) {
    EXPECT_EQ(std::count(address.begin(), address.end(), '.'), 3);
  }
}

TEST(MachineVersion, ReadsMajorAndMinor) {
  SystemVersion version;
  ASSERT_TRUE(ReadSystemVersion(&version));
  EXPECT_GT(version.major, 0U);
#if !defined(_WIN32)
  EXPECT_EQ(version.platform, kPlatformNotWindows);
  EXPECT_FALSE(version.has_service_pack);
#endif
}

#if !defined(_WIN32)
TEST(MachineBrowser, NoneOutsideWindows) {
  BrowserVersion version;
  EXPECT_FALSE(ReadBrowserVersion(&version));
}

// The root file system is on a device of its own on any real machine or
// virtual machine; in a container it may be an overlay.
TEST(MachineDrives, RootFileSystemIsListedOnce) {
  const std::vector<Drive> drives = ListDrives();
  const auto root = std::count_if(drives.begin(), drives.end(),
                                  [](const Drive& drive) { return drive.root == "/"; });
  EXPECT_LE(root, 1);
  for (const Drive& drive : drives) {
    if (drive.type == DriveType::kFixed) {
      DiskSpace space;
      EXPECT_TRUE(ReadDiskSpace(drive.root, &space)) << drive.root;
      EXPECT_LE(space.total_free_bytes, space.total_bytes);
      VolumeInformation volume;
      EXPECT_TRUE(ReadVolumeInformation(drive.root, &volume)) << drive.root;
      EXPECT_FALSE(volume.file_system.empty());
      EXPECT_GT(volume.max_component_length, 0U);
    }
  }
}

TEST(MachineDrives, KernelFileSystemsAreNoDrives) {
  for (const Drive& drive : ListDrives()) {
    if (drive.root == "/proc" || drive.root == "/sys") {
      EXPECT_EQ(drive.type, DriveType::kOther);
    }
  }
}

TEST(MachineDrives, UnreadableRootHasNoSizesOrVolume) {
  DiskSpace space;
  VolumeInformation volume;
  EXPECT_FALSE(ReadDiskSpace("/no/such/mount/point", &space));
  EXPECT_FALSE(ReadVolumeInformation("/no/such/mount/point", &volume));
}
#endif

}  // namespace
}  // namespace quendral::os
