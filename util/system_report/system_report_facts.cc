// The real machine behind the report.
#include <cstdint>
#include <cstring>

#include "platform/os/login_name.h"
#include "platform/os/registry_store.h"
#include "platform/os/special_folders.h"
#include "util/system_report/system_report.h"

namespace quendral::util {
namespace {

constexpr char kProductOptionsKey[] = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
constexpr std::uint32_t kProductTypeSize = 80;

class Machine final : public SystemFacts {
 public:
  bool ReadBrowserVersion(os::BrowserVersion* version) const override {
    return os::ReadBrowserVersion(version);
  }
  std::vector<os::Drive> ListDrives() const override { return os::ListDrives(); }
  bool ReadDiskSpace(const std::string& root, os::DiskSpace* space) const override {
    return os::ReadDiskSpace(root, space);
  }
  bool ReadVolumeInformation(const std::string& root,
                             os::VolumeInformation* volume) const override {
    return os::ReadVolumeInformation(root, volume);
  }
  bool ReadMemoryStatus(os::MemoryStatus* status) const override {
    return os::ReadMemoryStatus(status);
  }
  std::string UserName() const override { return os::LoginName(); }
  bool ReadComputerName(std::string* name) const override { return os::ReadComputerName(name); }
  int ProcessorCount() const override { return os::ProcessorCount(); }
  os::ScreenSize PrimaryScreenSize() const override { return os::PrimaryScreenSize(); }
  bool ReadDisplayMode(os::DisplayMode* mode) const override { return os::ReadDisplayMode(mode); }
  bool ReadSpecialFolderPath(int folder, std::string* path) const override {
    return os::ReadSpecialFolderPath(folder, path);
  }
  std::string HostIpv4Address() const override { return os::HostIpv4Address(); }
  bool ReadSystemVersion(os::SystemVersion* version) const override {
    return os::ReadSystemVersion(version);
  }
  std::string ProductType() const override;
};

std::string Machine::ProductType() const {
  os::RegistryKey key = nullptr;
  if (os::RegistryOpenKey(os::LocalMachineRoot(), kProductOptionsKey, os::RegistryAccess::kQuery,
                          &key) != os::kRegistrySuccess) {
    return "";
  }
  std::uint8_t data[kProductTypeSize] = {};
  std::uint32_t size = sizeof data;
  const long result = os::RegistryQueryValue(key, "ProductType", data, &size);
  os::RegistryCloseKey(key);
  if (result != os::kRegistrySuccess || size > sizeof data) {
    return "";
  }
  const char* text = reinterpret_cast<const char*>(data);
  return std::string(text, strnlen(text, size));
}

}  // namespace

const SystemFacts& MachineFacts() {
  static const Machine machine;
  return machine;
}

}  // namespace quendral::util
