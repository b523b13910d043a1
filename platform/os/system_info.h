// Facts about the machine: memory, names, processors, network address,
// system version and browser version.
//
// Windows answers through GlobalMemoryStatusEx, GetComputerNameA,
// GetSystemInfo, Windows Sockets (gethostname, gethostbyname), GetVersionExA
// and the DllGetVersion entry of shdocvw.dll. Elsewhere:
// - memory comes from sysinfo and /proc/meminfo: the available memory is
//   what the kernel reports as "MemAvailable" (free memory and the caches it
//   can drop; free memory alone on kernels without it), and the memory load
//   the share of the physical memory not available, in whole percent;
// - the computer name is the host name (gethostname), refused when it is
//   longer than the 15 characters a Windows computer name may have;
// - the processor count is the number of processors online (sysconf);
// - the address is the first IPv4 address getaddrinfo gives for the host
//   name;
// - the system version is that of the kernel (uname): major, minor and patch
//   level of its release as major, minor and build number; its platform is
//   kPlatformNotWindows, and there is no service pack;
// - there is no browser version.
#ifndef QUENDRAL_PLATFORM_OS_SYSTEM_INFO_H_
#define QUENDRAL_PLATFORM_OS_SYSTEM_INFO_H_

#include <cstdint>
#include <string>

namespace quendral::os {

struct MemoryStatus {
  std::uint64_t total_physical_bytes = 0;
  std::uint64_t available_physical_bytes = 0;
  std::uint32_t memory_load_percent = 0;
};

// False when the figures cannot be read.
bool ReadMemoryStatus(MemoryStatus* status);

// False when the system cannot tell the name or it is too long.
bool ReadComputerName(std::string* name);

int ProcessorCount();

// Dotted IPv4 text of the machine's first address; empty when it has none.
std::string HostIpv4Address();

// Windows platform identifiers, and the one that stands for other systems.
inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows9x = 1;
inline constexpr std::uint32_t kPlatformWindowsNt = 2;
inline constexpr std::uint32_t kPlatformNotWindows = 0xFFFFFFFF;

struct SystemVersion {
  std::uint32_t platform = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build_number = 0;
  // Only with the extended query.
  bool has_service_pack = false;
  std::uint16_t service_pack_major = 0;
  std::uint16_t service_pack_minor = 0;
};

// False when neither the extended nor the basic version query succeeds.
bool ReadSystemVersion(SystemVersion* version);

struct BrowserVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build_number = 0;
};

// False when the browser does not tell its version.
bool ReadBrowserVersion(BrowserVersion* version);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_SYSTEM_INFO_H_
