// The fixed-disk and CD-drive reports.
#include <cstdio>

#include "util/system_report/system_report.h"

namespace quendral::util {
namespace {

std::string Megabytes(std::uint64_t bytes) { return std::to_string(bytes / 1024 / 1024); }

// "%X" of the serial number, as its first four and its last four characters
// joined by "-"; a text of fewer than eight characters shows its characters
// in both halves.
std::string SerialNumberText(std::uint32_t serial_number) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%X", serial_number);
  const std::string text = hex;
  const std::size_t last = text.size() < 4 ? 0 : text.size() - 4;
  return text.substr(0, 4) + "-" + text.substr(last);
}

std::string DiskBlock(const SystemFacts& facts, const std::string& root) {
  std::string block;
  os::DiskSpace space;
  if (facts.ReadDiskSpace(root, &space)) {
    block += "*** Hard Disk: (" + root + ") ***<br>";
    block += "Total size: " + Megabytes(space.total_bytes) + " (MB)<br>";
    block += "Used: " + Megabytes(space.total_bytes - space.total_free_bytes) + " (MB)<br>";
    block += "Free: " + Megabytes(space.total_free_bytes) + " (MB)<br>";
  }
  os::VolumeInformation volume;
  if (facts.ReadVolumeInformation(root, &volume)) {
    block += "Serial Number: " + SerialNumberText(volume.serial_number) + "<br>";
    block += "Max of File Length Support: " + std::to_string(volume.max_component_length) + "<br>";
    block += "File System: " + volume.file_system + "<br><br>";
  }
  return block;
}

}  // namespace

std::string GetHardDiskReport(const SystemFacts& facts) {
  std::string report;
  for (const os::Drive& drive : facts.ListDrives()) {
    if (drive.type == os::DriveType::kFixed) {
      report += DiskBlock(facts, drive.root);
    }
  }
  return report;
}

std::string GetCdDriveReport(const SystemFacts& facts) {
  int count = 0;
  std::string list;
  for (const os::Drive& drive : facts.ListDrives()) {
    if (drive.type == os::DriveType::kCdRom) {
      ++count;
      list += "CD Drive letter: (" + drive.root + ")<br>";
    }
  }
  if (count == 0) {
    return "No CD drive found.<br>";
  }
  return "Number of CD Drive(s) found: " + std::to_string(count) + "<br>" + list;
}

}  // namespace quendral::util
