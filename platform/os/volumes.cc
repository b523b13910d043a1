// How a mounted file system counts as a drive outside Windows.
#include "platform/os/volumes.h"

namespace quendral::os {

DriveType DriveTypeOfMount(std::string_view device, std::string_view file_system) {
  if (file_system == "iso9660" || file_system == "udf") {
    return DriveType::kCdRom;
  }
  // Loop devices hold file-system images (such as installed packages), not
  // disks.
  if (device.starts_with("/dev/") && !device.starts_with("/dev/loop")) {
    return DriveType::kFixed;
  }
  return DriveType::kOther;
}

}  // namespace quendral::os
