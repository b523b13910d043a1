#include "platform/os/system_info.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

namespace quendral::os {
namespace {

// The longest computer name Windows keeps (MAX_COMPUTERNAME_LENGTH).
constexpr std::size_t kMaxComputerNameLength = 15;

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) {
    return "";
  }
  return name;
}

// What the kernel estimates can be given to programs without swapping (the
// "MemAvailable" line of /proc/meminfo: free memory plus the caches it can
// drop), the meaning of Windows' available memory; free memory alone where
// the kernel does not say.
std::uint64_t AvailableBytes(const struct sysinfo& info) {
  std::ifstream meminfo("/proc/meminfo");
  constexpr std::string_view kLabel = "MemAvailable:";
  for (std::string line; std::getline(meminfo, line);) {
    if (line.starts_with(kLabel)) {
      return std::strtoull(line.c_str() + kLabel.size(), nullptr, 10) * 1024;  // in kB
    }
  }
  return std::uint64_t{info.freeram} * info.mem_unit;
}

}  // namespace

bool ReadMemoryStatus(MemoryStatus* status) {
  struct sysinfo info {};
  if (::sysinfo(&info) != 0) {
    return false;
  }
  const std::uint64_t unit = info.mem_unit;
  status->total_physical_bytes = std::uint64_t{info.totalram} * unit;
  status->available_physical_bytes = std::min(AvailableBytes(info), status->total_physical_bytes);
  const std::uint64_t total = status->total_physical_bytes;
  status->memory_load_percent =
      total == 0
          ? 0
          : static_cast<std::uint32_t>((total - status->available_physical_bytes) * 100 / total);
  return true;
}

bool ReadComputerName(std::string* name) {
  std::string host = HostName();
  if (host.empty() || host.size() > kMaxComputerNameLength) {
    return false;
  }
  *name = std::move(host);
  return true;
}

int ProcessorCount() {
  const long count = ::sysconf(_SC_NPROCESSORS_ONLN);
  return count > 0 && count <= INT_MAX ? static_cast<int>(count) : 1;
}

std::string HostIpv4Address() {
  const std::string host = HostName();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) {
    return "";
  }
  std::string address;
  if (found != nullptr && found->ai_addr != nullptr) {
    char text[INET_ADDRSTRLEN] = {};
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    if (::inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text) != nullptr) {
      address = text;
    }
  }
  ::freeaddrinfo(found);
  return address;
}

bool ReadSystemVersion(SystemVersion* version) {
  utsname names{};
  if (::uname(&names) != 0) {
    return false;
  }
  unsigned major = 0;
  unsigned minor = 0;
  unsigned patch = 0;
  if (std::sscanf(names.release, "%u.%u.%u", &major, &minor, &patch) < 2) {
    return false;
  }
  *version = SystemVersion{};
  version->platform = kPlatformNotWindows;
  version->major = major;
  version->minor = minor;
  version->build_number = patch;
  return true;
}

bool ReadBrowserVersion(BrowserVersion*) { return false; }

}  // namespace quendral::os
