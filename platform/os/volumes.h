// The machine's drives: which there are, their sizes and their volumes.
//
// On Windows the drives are the roots "c:\" to "z:\" (a: and b: are never
// examined), each of the type GetDriveTypeA gives; sizes come from
// GetDiskFreeSpaceExA and volumes from GetVolumeInformationA.
//
// Elsewhere the drives are the mounted file systems, in mount order
// (/proc/self/mounts, read with getmntent_r), each named by its mount point:
// a file system of type iso9660 or udf is a CD drive; one mounted from a
// device under /dev/ other than a loop device is a fixed disk, listed at its
// first mount point only (later ones are bind mounts of the same device);
// all others (memory, kernel and network file systems) are of another type.
// As Windows' removable drives are no fixed disks, a device the kernel calls
// removable (/sys/class/block, the disk of a partition) is of another type;
// so is a single file bind-mounted from a disk (as containers mount
// /etc/hosts), which is no drive at all.
// Sizes come from statvfs; the volume's serial number is the low 32 bits of
// the file-system ID statvfs gives, its longest file-name component its name
// limit, and its file-system name the mounted type.
#ifndef QUENDRAL_PLATFORM_OS_VOLUMES_H_
#define QUENDRAL_PLATFORM_OS_VOLUMES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quendral::os {

enum class DriveType { kOther, kFixed, kCdRom };

struct Drive {
  std::string root;
  DriveType type = DriveType::kOther;
};

std::vector<Drive> ListDrives();

// What a file system mounted from `device` with the type `file_system`
// counts as outside Windows (see above).
DriveType DriveTypeOfMount(std::string_view device, std::string_view file_system);

struct DiskSpace {
  std::uint64_t total_bytes = 0;
  std::uint64_t total_free_bytes = 0;
};

// False when the sizes cannot be read.
bool ReadDiskSpace(const std::string& root, DiskSpace* space);

struct VolumeInformation {
  std::uint32_t serial_number = 0;
  std::uint32_t max_component_length = 0;
  std::string file_system;
};

// False when the volume cannot be read.
bool ReadVolumeInformation(const std::string& root, VolumeInformation* volume);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_VOLUMES_H_
