#include "platform/os/volumes.h"

#include <mntent.h>
#include <sys/statvfs.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

namespace quendral::os {
namespace {

namespace fs = std::filesystem;

// True when the kernel says the disk behind `device` (a partition's disk for
// a partition) holds removable media.
bool IsRemovable(const char* device) {
  std::error_code error;
  const fs::path block = fs::path("/sys/class/block") / fs::canonical(device, error).filename();
  if (error) {
    return false;
  }
  const fs::path entry = fs::canonical(block, error);
  for (const fs::path& disk : {entry, entry.parent_path()}) {
    std::ifstream removable(disk / "removable");
    char flag = '0';
    if (removable >> flag) {
      return flag == '1';
    }
  }
  return false;
}

DriveType TypeOfMount(const mntent& entry) {
  const DriveType type = DriveTypeOfMount(entry.mnt_fsname, entry.mnt_type);
  std::error_code error;
  if (type == DriveType::kFixed &&
      (!fs::is_directory(entry.mnt_dir, error) || IsRemovable(entry.mnt_fsname))) {
    return DriveType::kOther;
  }
  return type;
}

}  // namespace

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives;
  FILE* mounts = ::setmntent("/proc/self/mounts", "r");
  if (mounts == nullptr) {
    return drives;
  }
  std::set<std::string> devices_seen;
  mntent entry{};
  char buffer[4096];
  while (::getmntent_r(mounts, &entry, buffer, sizeof buffer) != nullptr) {
    Drive drive{entry.mnt_dir, TypeOfMount(entry)};
    // A device mounted again is the same drive seen through a bind mount.
    if (drive.type != DriveType::kOther && !devices_seen.insert(entry.mnt_fsname).second) {
      continue;
    }
    drives.push_back(std::move(drive));
  }
  ::endmntent(mounts);
  return drives;
}

bool ReadDiskSpace(const std::string& root, DiskSpace* space) {
  struct statvfs status {};
  if (::statvfs(root.c_str(), &status) != 0) {
    return false;
  }
  space->total_bytes = std::uint64_t{status.f_blocks} * status.f_frsize;
  space->total_free_bytes = std::uint64_t{status.f_bfree} * status.f_frsize;
  return true;
}

bool ReadVolumeInformation(const std::string& root, VolumeInformation* volume) {
  struct statvfs status {};
  if (::statvfs(root.c_str(), &status) != 0) {
    return false;
  }
  FILE* mounts = ::setmntent("/proc/self/mounts", "r");
  if (mounts == nullptr) {
    return false;
  }
  // The type of the last file system mounted there: the one that is seen.
  std::string file_system;
  mntent entry{};
  char buffer[4096];
  while (::getmntent_r(mounts, &entry, buffer, sizeof buffer) != nullptr) {
    if (root == entry.mnt_dir) {
      file_system = entry.mnt_type;
    }
  }
  ::endmntent(mounts);
  if (file_system.empty()) {
    return false;
  }
  volume->serial_number = static_cast<std::uint32_t>(status.f_fsid);
  volume->max_component_length = static_cast<std::uint32_t>(status.f_namemax);
  volume->file_system = std::move(file_system);
  return true;
}

}  // namespace quendral::os
