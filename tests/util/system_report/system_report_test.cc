// The system information report over a machine of given facts.
#include "util/system_report/system_report.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/util/processor/scripted_processor.h"

namespace quendral::util {
namespace {

// A machine whose every fact is set by the test; nothing can be read until
// it is set.
class GivenFacts : public SystemFacts {
 public:
  bool browser_known = false;
  os::BrowserVersion browser;
  std::vector<os::Drive> drives;
  std::map<std::string, os::DiskSpace> spaces;
  std::map<std::string, os::VolumeInformation> volumes;
  bool memory_known = false;
  os::MemoryStatus memory;
  std::string user;
  bool computer_known = false;
  std::string computer;
  int processors = 0;
  os::ScreenSize screen;
  bool display_known = false;
  os::DisplayMode display;
  std::map<int, std::string> folders;
  std::string address;
  bool version_known = false;
  os::SystemVersion version;
  std::string product_type;

  bool ReadBrowserVersion(os::BrowserVersion* out) const override {
    return browser_known && (*out = browser, true);
  }
  std::vector<os::Drive> ListDrives() const override { return drives; }
  bool ReadDiskSpace(const std::string& root, os::DiskSpace* out) const override {
    return Find(spaces, root, out);
  }
  bool ReadVolumeInformation(const std::string& root, os::VolumeInformation* out) const override {
    return Find(volumes, root, out);
  }
  bool ReadMemoryStatus(os::MemoryStatus* out) const override {
    return memory_known && (*out = memory, true);
  }
  std::string UserName() const override { return user; }
  bool ReadComputerName(std::string* out) const override {
    return computer_known && (*out = computer, true);
  }
  int ProcessorCount() const override { return processors; }
  os::ScreenSize PrimaryScreenSize() const override { return screen; }
  bool ReadDisplayMode(os::DisplayMode* out) const override {
    return display_known && (*out = display, true);
  }
  bool ReadSpecialFolderPath(int folder, std::string* out) const override {
    return Find(folders, folder, out);
  }
  std::string HostIpv4Address() const override { return address; }
  bool ReadSystemVersion(os::SystemVersion* out) const override {
    return version_known && (*out = version, true);
  }
  std::string ProductType() const override { return product_type; }

  void AddFixedDisk(const std::string& root, os::DiskSpace space, os::VolumeInformation volume) {
    drives.push_back(os::Drive{root, os::DriveType::kFixed});
    spaces[root] = space;
    volumes[root] = std::move(volume);
  }

 private:
  template <typename Key, typename Value>
  static bool Find(const std::map<Key, Value>& map, const Key& key, Value* out) {
    const auto found = map.find(key);
    return found != map.end() && (*out = found->second, true);
  }
};

constexpr std::uint64_t kMegabyte = std::uint64_t{1} << 20;

TEST(BrowserVersionText, VersionLine) {
  GivenFacts facts;
  facts.browser_known = true;
  facts.browser = os::BrowserVersion{6, 0, 2900};
  EXPECT_EQ(GetInternetExplorerVersionText(facts),
            "Internet Explorer Version: 6.0, Build Number: 2900");
}

TEST(BrowserVersionText, FailureText) {
  EXPECT_EQ(GetInternetExplorerVersionText(GivenFacts()),
            "Cannot extract version number of Internet Explorer");
}

TEST(HardDiskReport, BlockOfSizesAndVolume) {
  GivenFacts facts;
  facts.AddFixedDisk("c:\\", os::DiskSpace{10240 * kMegabyte, 4096 * kMegabyte},
                     os::VolumeInformation{0x1A2B3C4D, 255, "NTFS"});
  EXPECT_EQ(GetHardDiskReport(facts),
            "*** Hard Disk: (c:\\) ***<br>Total size: 10240 (MB)<br>Used: 6144 (MB)<br>"
            "Free: 4096 (MB)<br>Serial Number: 1A2B-3C4D<br>Max of File Length Support: 255<br>"
            "File System: NTFS<br><br>");
}

TEST(HardDiskReport, MegabytesAreTruncated) {
  GivenFacts facts;
  facts.AddFixedDisk("c:\\", os::DiskSpace{5'000'000, 5'000'000}, os::VolumeInformation{});
  facts.volumes.clear();
  EXPECT_EQ(GetHardDiskReport(facts),
            "*** Hard Disk: (c:\\) ***<br>Total size: 4 (MB)<br>Used: 0 (MB)<br>Free: 4 (MB)<br>");
}

TEST(HardDiskReport, FewerThanEightSerialDigitsOverlap) {
  GivenFacts facts;
  facts.AddFixedDisk("c:\\", os::DiskSpace{}, os::VolumeInformation{0xABCDE, 255, "FAT32"});
  facts.spaces.clear();
  EXPECT_EQ(GetHardDiskReport(facts),
            "Serial Number: ABCD-BCDE<br>Max of File Length Support: 255<br>"
            "File System: FAT32<br><br>");
}

TEST(HardDiskReport, SerialOfFewerThanFourDigitsIsShownWhole) {
  GivenFacts facts;
  facts.AddFixedDisk("c:\\", os::DiskSpace{}, os::VolumeInformation{0xAB, 12, "ext4"});
  facts.spaces.clear();
  EXPECT_EQ(GetHardDiskReport(facts).substr(0, 25), "Serial Number: AB-AB<br>M");
}

TEST(HardDiskReport, OnlyFixedDrivesInDriveOrder) {
  GivenFacts facts;
  facts.AddFixedDisk("c:\\", os::DiskSpace{kMegabyte, 0}, os::VolumeInformation{});
  facts.drives.push_back(os::Drive{"d:\\", os::DriveType::kCdRom});
  facts.spaces["d:\\"] = os::DiskSpace{kMegabyte, 0};
  facts.AddFixedDisk("e:\\", os::DiskSpace{kMegabyte, 0}, os::VolumeInformation{});
  facts.volumes.clear();
  EXPECT_EQ(GetHardDiskReport(facts),
            "*** Hard Disk: (c:\\) ***<br>Total size: 1 (MB)<br>Used: 1 (MB)<br>Free: 0 (MB)<br>"
            "*** Hard Disk: (e:\\) ***<br>Total size: 1 (MB)<br>Used: 1 (MB)<br>Free: 0 (MB)<br>");
}

TEST(HardDiskReport, EmptyWithoutFixedDrives) {
  GivenFacts facts;
  facts.drives.push_back(os::Drive{"d:\\", os::DriveType::kCdRom});
  EXPECT_EQ(GetHardDiskReport(facts), "");
}

TEST(HardDiskReport, UnreadableDriveContributesNothing) {
  GivenFacts facts;
  facts.drives.push_back(os::Drive{"c:\\", os::DriveType::kFixed});
  EXPECT_EQ(GetHardDiskReport(facts), "");
}

TEST(CdDriveReport, NoneFound) {
  GivenFacts facts;
  facts.drives.push_back(os::Drive{"c:\\", os::DriveType::kFixed});
  EXPECT_EQ(GetCdDriveReport(facts), "No CD drive found.<br>");
}

TEST(CdDriveReport, CountThenDrivesInOrder) {
  GivenFacts facts;
  facts.drives = {
      os::Drive{"c:\\", os::DriveType::kFixed}, os::Drive{"d:\\", os::DriveType::kCdRom},
      os::Drive{"e:\\", os::DriveType::kCdRom}, os::Drive{"f:\\", os::DriveType::kOther}};
  EXPECT_EQ(GetCdDriveReport(facts),
            "Number of CD Drive(s) found: 2<br>CD Drive letter: (d:\\)<br>"
            "CD Drive letter: (e:\\)<br>");
}

TEST(MemoryReport, MegabytesKilobytesAndLoad) {
  GivenFacts facts;
  facts.memory_known = true;
  facts.memory = os::MemoryStatus{(512 * kMegabyte) + kMegabyte - 1, 300 * 1024 + 1023, 42};
  EXPECT_EQ(GetMemoryReport(facts),
            "Installed RAM: 512MB<br>Memory Available: 300KB<br>Precent of used RAM: 42%");
  EXPECT_EQ(GetFreeMemoryPercentText(facts), "58%");
}

// More than 4 GB is reported whole.
TEST(MemoryReport, LargeMemory) {
  GivenFacts facts;
  facts.memory_known = true;
  facts.memory = os::MemoryStatus{kMegabyte << 16, kMegabyte << 13, 87};
  EXPECT_EQ(GetMemoryReport(facts),
            "Installed RAM: 65536MB<br>Memory Available: 8388608KB<br>Precent of used RAM: 87%");
}

TEST(MemoryReport, UnreadableMemoryShowsZeros) {
  EXPECT_EQ(GetMemoryReport(GivenFacts()),
            "Installed RAM: 0MB<br>Memory Available: 0KB<br>Precent of used RAM: 0%");
  EXPECT_EQ(GetFreeMemoryPercentText(GivenFacts()), "100%");
}

TEST(NamesReport, UserAndComputerNames) {
  GivenFacts facts;
  facts.user = "jsmith";
  facts.computer_known = true;
  facts.computer = "WORKSTATION7";
  EXPECT_EQ(GetUserNameText(facts), "jsmith");
  EXPECT_EQ(GetComputerNameText(facts), "WORKSTATION7");
}

TEST(NamesReport, FailureTexts) {
  EXPECT_EQ(GetUserNameText(GivenFacts()), "Can't recognize user name.");
  EXPECT_EQ(GetComputerNameText(GivenFacts()), "Can't recognize computer name.");
}

TEST(ProcessorCountText, Decimal) {
  GivenFacts facts;
  facts.processors = 16;
  EXPECT_EQ(GetProcessorCountText(facts), "16");
}

TEST(ScreenReport, ResolutionWidthAndHeight) {
  GivenFacts facts;
  facts.screen = os::ScreenSize{1280, 1024};
  EXPECT_EQ(GetScreenResolutionText(facts),
            "Screen resolution: 1280x1024<br>Width: 1280 pixels<br>Height: 1024 pixels");
}

TEST(ScreenReport, DisplayMode) {
  GivenFacts facts;
  facts.display_known = true;
  facts.display = os::DisplayMode{32, 1920, 1080, 60};
  EXPECT_EQ(GetDisplaySettingsReport(facts),
            "Color depth: 32 Bits per pixel.<br>Pixel Width: 1920<br>Pixel Height: 1080<br>"
            "Refresh frequency: 60 Hz");
}

TEST(ScreenReport, DisplayModeFailureText) {
  EXPECT_EQ(GetDisplaySettingsReport(GivenFacts()), "Can't enumerate display settings.");
}

TEST(SpecialFolderReport, PathOrFailureText) {
  GivenFacts facts;
  facts.folders[5] = "C:\\Documents and Settings\\jsmith\\My Documents";
  EXPECT_EQ(GetSpecialFolderPath(5, facts), "C:\\Documents and Settings\\jsmith\\My Documents");
  EXPECT_EQ(GetSpecialFolderPath(6, facts), "Folder not found.");
}

TEST(IpAddressText, AddressOrEmpty) {
  GivenFacts facts;
  EXPECT_EQ(GetIpAddressText(facts), "");
  facts.address = "192.168.1.20";
  EXPECT_EQ(GetIpAddressText(facts), "192.168.1.20");
}

struct KindRow {
  std::uint32_t platform;
  std::uint32_t major;
  std::uint32_t minor;
  const char* product_type;
  int kind;
};

class WindowsKindTable : public testing::TestWithParam<KindRow> {};

TEST_P(WindowsKindTable, PlatformVersionAndProductType) {
  GivenFacts facts;
  facts.version_known = true;
  facts.version.platform = GetParam().platform;
  facts.version.major = GetParam().major;
  facts.version.minor = GetParam().minor;
  facts.product_type = GetParam().product_type;
  EXPECT_EQ(GetWindowsKind(facts), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    AllRows, WindowsKindTable,
    testing::Values(KindRow{0, 3, 1, "", 0}, KindRow{1, 4, 0, "", 1}, KindRow{1, 4, 10, "", 2},
                    KindRow{1, 4, 90, "", 2}, KindRow{1, 5, 0, "", 2}, KindRow{1, 3, 95, "", 1},
                    KindRow{2, 4, 0, "WINNT", 3}, KindRow{2, 3, 51, "", 3},
                    KindRow{2, 4, 0, "SERVERNT", 4}, KindRow{2, 4, 0, "LANMANNT", 3},
                    KindRow{2, 5, 0, "WinNT", 5}, KindRow{2, 5, 1, "ServerNT", 6},
                    KindRow{2, 5, 2, "servernt", 6}, KindRow{2, 5, 0, "LanmanNT", 5},
                    KindRow{2, 5, 0, "SERVERNTX", 5}, KindRow{2, 6, 0, "SERVERNT", 0},
                    KindRow{2, 10, 0, "WINNT", 0}, KindRow{3, 5, 0, "", 0},
                    KindRow{os::kPlatformNotWindows, 6, 1, "", 0}));

TEST(WindowsKind, ZeroWhenTheVersionCannotBeRead) { EXPECT_EQ(GetWindowsKind(GivenFacts()), 0); }

TEST(WindowsVersionText, WithServicePack) {
  GivenFacts facts;
  facts.version_known = true;
  facts.version = os::SystemVersion{2, 5, 1, 2600, true, 3, 0};
  EXPECT_EQ(GetWindowsVersionText(facts), "5.1 - Build 2600 (Servicepack: 3.0)");
}

TEST(WindowsVersionText, BasicQueryHasNoServicePack) {
  GivenFacts facts;
  facts.version_known = true;
  facts.version = os::SystemVersion{1, 4, 10, 0x040A0BB8, false, 0, 0};
  EXPECT_EQ(GetWindowsVersionText(facts), "4.10 - Build 67767224");
}

TEST(WindowsVersionText, FailureText) {
  EXPECT_EQ(GetWindowsVersionText(GivenFacts()), "Unknown build number");
}

TEST(ProcessorReport, IdentificationLines) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.Leaf(1).eax |= 0x1003;
  EXPECT_EQ(GetProcessorReport(probe),
            "Vendor ID: Intel Corporation<br>CPU Type ID: 1<br>Family ID: 6<br>Model ID: 8<br>"
            "Stepping Code: 3<br>Brand ID: Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 "
            "Cache ");
  EXPECT_EQ(GetProcessorBrief(probe),
            "Vendor ID: Intel Corporation<br>Brand ID: Pentium\xAE III (0.18 \xB5m) With 256 KB "
            "On-Die L2 Cache ");
}

TEST(ProcessorReport, FailureTextsWithoutCpuid) {
  ScriptedProcessor probe("GenuineIntel", 6, 8);
  probe.FaultOnEveryLeaf();
  EXPECT_EQ(GetProcessorReport(probe), "Error: CPU does not support CPUID.");
  EXPECT_EQ(GetProcessorBrief(probe), "CPU does not support CPUID.");
  EXPECT_EQ(GetProcessorSpeedText(probe), "-1 MHz");
}

TEST(ProcessorReport, SpeedText) {
  ScriptedProcessor probe("AuthenticAMD", 6, 4);
  probe.Leaf(1).edx = ScriptedProcessor::kTimeStampCounterBit;
  probe.SetCounterReadings({0, 60'000'000, 0, 0});
  EXPECT_EQ(GetProcessorSpeedText(probe), "1200 MHz");
}

TEST(ProcessorReport, SpeedTextWithoutTimeStampCounter) {
  const ScriptedProcessor probe("AuthenticAMD", 6, 4);
  EXPECT_EQ(GetProcessorSpeedText(probe), "-1 MHz");
}

// The real machine: whatever it has, the texts keep their forms.
TEST(SystemReportOfThisMachine, TextsHaveTheirForms) {
  EXPECT_NE(GetWindowsVersionText().find(" - Build "), std::string::npos);
  EXPECT_EQ(GetMemoryReport().rfind("Installed RAM: ", 0), 0U);
  EXPECT_EQ(GetScreenResolutionText().rfind("Screen resolution: ", 0), 0U);
  EXPECT_GE(std::stoi(GetProcessorCountText()), 1);
  EXPECT_EQ(GetSpecialFolderPath(0x7FFF), "Folder not found.");
#if defined(__i386__) || defined(__x86_64__)
  EXPECT_EQ(GetProcessorBrief().rfind("Vendor ID: ", 0), 0U);
#endif
}

}  // namespace
}  // namespace quendral::util
