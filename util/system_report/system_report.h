// The system information report: short texts, most of them HTML fragments
// whose lines are separated by "<br>", about the machine the program runs
// on. Values are inserted as they are, without escaping. No function reports
// an error: a fact that cannot be read gives a fixed text instead.
//
// Each function reads the machine through a SystemFacts, the real one
// unless another is given; the processor fragments identify the processor
// through a ProcessorProbe the same way. What stands for each Windows fact
// on other systems is told in platform/os/volumes.h, system_info.h,
// desktop/display_mode.h and special_folders.h.
#ifndef QUENDRAL_UTIL_SYSTEM_REPORT_SYSTEM_REPORT_H_
#define QUENDRAL_UTIL_SYSTEM_REPORT_SYSTEM_REPORT_H_

#include <string>
#include <vector>

#include "platform/os/desktop/display_mode.h"
#include "platform/os/system_info.h"
#include "platform/os/volumes.h"
#include "util/processor/processor_probe.h"

namespace quendral::util {

// The machine as the report sees it; see the OS-layer functions of the same
// names.
class SystemFacts {
 public:
  virtual ~SystemFacts() = default;
  virtual bool ReadBrowserVersion(os::BrowserVersion* version) const = 0;
  virtual std::vector<os::Drive> ListDrives() const = 0;
  virtual bool ReadDiskSpace(const std::string& root, os::DiskSpace* space) const = 0;
  virtual bool ReadVolumeInformation(const std::string& root,
                                     os::VolumeInformation* volume) const = 0;
  virtual bool ReadMemoryStatus(os::MemoryStatus* status) const = 0;
  // Empty when the name cannot be told.
  virtual std::string UserName() const = 0;
  virtual bool ReadComputerName(std::string* name) const = 0;
  virtual int ProcessorCount() const = 0;
  virtual os::ScreenSize PrimaryScreenSize() const = 0;
  virtual bool ReadDisplayMode(os::DisplayMode* mode) const = 0;
  virtual bool ReadSpecialFolderPath(int folder, std::string* path) const = 0;
  virtual std::string HostIpv4Address() const = 0;
  virtual bool ReadSystemVersion(os::SystemVersion* version) const = 0;
  // The "ProductType" value of the NT line's product options; empty when it
  // cannot be read.
  virtual std::string ProductType() const = 0;
};

// The machine the program runs on.
const SystemFacts& MachineFacts();

// "Internet Explorer Version: <major>.<minor>, Build Number: <build>", or
// "Cannot extract version number of Internet Explorer".
std::string GetInternetExplorerVersionText(const SystemFacts& facts = MachineFacts());

// One block per fixed disk, in drive order: a header and size lines in MB
// (when the sizes can be read), then the volume's serial number, longest
// file-name component and file system (when the volume can be read). Empty
// without fixed disks.
std::string GetHardDiskReport(const SystemFacts& facts = MachineFacts());

// The number of CD drives and a line for each, or "No CD drive found.<br>".
std::string GetCdDriveReport(const SystemFacts& facts = MachineFacts());

// Installed RAM in MB, available memory in KB and the memory load.
std::string GetMemoryReport(const SystemFacts& facts = MachineFacts());
// 100 minus the memory load, with a percent sign.
std::string GetFreeMemoryPercentText(const SystemFacts& facts = MachineFacts());

// The name, or "Can't recognize user name." / "Can't recognize computer
// name.".
std::string GetUserNameText(const SystemFacts& facts = MachineFacts());
std::string GetComputerNameText(const SystemFacts& facts = MachineFacts());
std::string GetProcessorCountText(const SystemFacts& facts = MachineFacts());

// Each identifies the processor anew, which takes about 50 milliseconds.
// "<MHz> MHz", -1 when the speed is unknown.
std::string GetProcessorSpeedText(const ProcessorProbe& probe = MachineProcessor());
// Manufacturer, type, family, model, stepping and name, or "Error: CPU does
// not support CPUID.".
std::string GetProcessorReport(const ProcessorProbe& probe = MachineProcessor());
// Manufacturer and name, or "CPU does not support CPUID.".
std::string GetProcessorBrief(const ProcessorProbe& probe = MachineProcessor());

std::string GetScreenResolutionText(const SystemFacts& facts = MachineFacts());
// Colour depth, width, height and refresh rate of the current display mode,
// or "Can't enumerate display settings.".
std::string GetDisplaySettingsReport(const SystemFacts& facts = MachineFacts());

// The path of the special folder numbered `folder` (a Windows CSIDL), or
// "Folder not found.".
std::string GetSpecialFolderPath(int folder, const SystemFacts& facts = MachineFacts());

// Dotted IPv4 text, or empty.
std::string GetIpAddressText(const SystemFacts& facts = MachineFacts());

// 0 unknown (Win32s, later NT versions, other systems), 1 Windows 95,
// 2 later Windows 9x, 3 NT 4 workstation, 4 NT 4 server, 5 Windows 2000 or
// XP workstation, 6 their servers.
int GetWindowsKind(const SystemFacts& facts = MachineFacts());

// "<major>.<minor> - Build <build> (Servicepack: <major>.<minor>)", without
// the service pack when only the basic version could be read, or "Unknown
// build number".
std::string GetWindowsVersionText(const SystemFacts& facts = MachineFacts());

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_SYSTEM_REPORT_SYSTEM_REPORT_H_
