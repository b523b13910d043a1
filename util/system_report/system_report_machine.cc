// Report lines about the browser, memory, names, screen, folders and
// address.
#include "util/system_report/system_report.h"

namespace quendral::util {

std::string GetInternetExplorerVersionText(const SystemFacts& facts) {
  os::BrowserVersion version;
  if (!facts.ReadBrowserVersion(&version)) {
    return "Cannot extract version number of Internet Explorer";
  }
  return "Internet Explorer Version: " + std::to_string(version.major) + "." +
         std::to_string(version.minor) + ", Build Number: " + std::to_string(version.build_number);
}

// A machine whose memory figures cannot be read reports zeros, as the
// status record it would have been read into starts zeroed.
std::string GetMemoryReport(const SystemFacts& facts) {
  os::MemoryStatus status;
  facts.ReadMemoryStatus(&status);
  return "Installed RAM: " + std::to_string(status.total_physical_bytes >> 20) + "MB" +
         "<br>Memory Available: " + std::to_string(status.available_physical_bytes >> 10) + "KB" +
         "<br>Precent of used RAM: " + std::to_string(status.memory_load_percent) + "%";
}

std::string GetFreeMemoryPercentText(const SystemFacts& facts) {
  os::MemoryStatus status;
  facts.ReadMemoryStatus(&status);
  return std::to_string(100 - static_cast<long long>(status.memory_load_percent)) + "%";
}

std::string GetUserNameText(const SystemFacts& facts) {
  const std::string name = facts.UserName();
  return name.empty() ? "Can't recognize user name." : name;
}

std::string GetComputerNameText(const SystemFacts& facts) {
  std::string name;
  return facts.ReadComputerName(&name) ? name : "Can't recognize computer name.";
}

std::string GetProcessorCountText(const SystemFacts& facts) {
  return std::to_string(facts.ProcessorCount());
}

std::string GetScreenResolutionText(const SystemFacts& facts) {
  const os::ScreenSize size = facts.PrimaryScreenSize();
  const std::string width = std::to_string(size.width);
  const std::string height = std::to_string(size.height);
  return "Screen resolution: " + width + "x" + height + "<br>Width: " + width +
         " pixels<br>Height: " + height + " pixels";
}

std::string GetDisplaySettingsReport(const SystemFacts& facts) {
  os::DisplayMode mode;
  if (!facts.ReadDisplayMode(&mode)) {
    return "Can't enumerate display settings.";
  }
  return "Color depth: " + std::to_string(mode.bits_per_pixel) + " Bits per pixel." +
         "<br>Pixel Width: " + std::to_string(mode.width) +
         "<br>Pixel Height: " + std::to_string(mode.height) +
         "<br>Refresh frequency: " + std::to_string(mode.frequency) + " Hz";
}

std::string GetSpecialFolderPath(int folder, const SystemFacts& facts) {
  std::string path;
  return facts.ReadSpecialFolderPath(folder, &path) ? path : "Folder not found.";
}

std::string GetIpAddressText(const SystemFacts& facts) { return facts.HostIpv4Address(); }

}  // namespace quendral::util
