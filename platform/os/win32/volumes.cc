#include "platform/os/volumes.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

// Drives a: and b: are never examined: asking for a floppy drive's type
// may spin it up.
constexpr const char* DriveRootTable[] = {
    "c:\\", "d:\\", "e:\\", "f:\\", "g:\\", "h:\\", "i:\\", "j:\\", "k:\\", "l:\\", "m:\\", "n:\\",
    "o:\\", "p:\\", "q:\\", "r:\\", "s:\\", "t:\\", "u:\\", "v:\\", "w:\\", "x:\\", "y:\\", "z:\\",
};

DriveType TypeOfDrive(UINT type) {
  switch (type) {
    case DRIVE_FIXED:
      return DriveType::kFixed;
    case DRIVE_CDROM:
      return DriveType::kCdRom;
    default:
      return DriveType::kOther;
  }
}

}  // namespace

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives;
  for (const char* root : DriveRootTable) {
    drives.push_back(Drive{root, TypeOfDrive(::GetDriveTypeA(root))});
  }
  return drives;
}

bool ReadDiskSpace(const std::string& root, DiskSpace* space) {
  ULARGE_INTEGER free_to_caller{};
  ULARGE_INTEGER total{};
  ULARGE_INTEGER total_free{};
  if (!::GetDiskFreeSpaceExA(root.c_str(), &free_to_caller, &total, &total_free)) {
    return false;
  }
  space->total_bytes = total.QuadPart;
  space->total_free_bytes = total_free.QuadPart;
  return true;
}

bool ReadVolumeInformation(const std::string& root, VolumeInformation* volume) {
  char volume_name[256] = {};
  char file_system[256] = {};
  DWORD serial_number = 0;
  DWORD max_component_length = 0;
  DWORD flags = 0;
  if (!::GetVolumeInformationA(root.c_str(), volume_name, sizeof volume_name, &serial_number,
                               &max_component_length, &flags, file_system, sizeof file_system)) {
    return false;
  }
  volume->serial_number = serial_number;
  volume->max_component_length = max_component_length;
  volume->file_system = file_system;
  return true;
}

}  // namespace quendral::os
