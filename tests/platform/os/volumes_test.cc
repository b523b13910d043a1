// Mounted file systems as drives.
#include "platform/os/volumes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quendral::os {
namespace {

TEST(MountedDriveType, DiscFileSystemsAreCdDrives) {
  EXPECT_EQ(DriveTypeOfMount("/dev/sr0", "iso9660"), DriveType::kCdRom);
  EXPECT_EQ(DriveTypeOfMount("/dev/sr1", "udf"), DriveType::kCdRom);
  // A disc image mounted through a loop device reads like a disc too.
  EXPECT_EQ(DriveTypeOfMount("/dev/loop3", "iso9660"), DriveType::kCdRom);
}

TEST(MountedDriveType, DevicesAreFixedDisks) {
  EXPECT_EQ(DriveTypeOfMount("/dev/sda1", "ext4"), DriveType::kFixed);
  EXPECT_EQ(DriveTypeOfMount("/dev/nvme0n1p2", "btrfs"), DriveType::kFixed);
  EXPECT_EQ(DriveTypeOfMount("/dev/mapper/vg-root", "xfs"), DriveType::kFixed);
}

TEST(MountedDriveType, ImagesMemoryKernelAndNetworkFileSystemsAreNot) {
  EXPECT_EQ(DriveTypeOfMount("/dev/loop0", "squashfs"), DriveType::kOther);
  EXPECT_EQ(DriveTypeOfMount("tmpfs", "tmpfs"), DriveType::kOther);
  EXPECT_EQ(DriveTypeOfMount("proc", "proc"), DriveType::kOther);
  EXPECT_EQ(DriveTypeOfMount("overlay", "overlay"), DriveType::kOther);
  EXPECT_EQ(DriveTypeOfMount("server:/export", "nfs4"), DriveType::kOther);
  EXPECT_EQ(DriveTypeOfMount("/devices", "ext4"), DriveType::kOther);
}

TEST(ListDrives, FixedDrivesAreDirectories) {
  for (const Drive& drive : ListDrives()) {
    if (drive.type == DriveType::kFixed) {
      EXPECT_TRUE(std::filesystem::is_directory(drive.root)) << drive.root;
    }
  }
}

}  // namespace
}  // namespace quendral::os
