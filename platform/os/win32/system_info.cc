#include "platform/os/system_info.h"

#include "platform/os/library.h"
#include "platform/os/win32/windows_headers.h"
// After windows.h, which its lean form leaves without the older sockets.
#include <winsock2.h>

#include <cstring>

namespace quendral::os {
namespace {

// Windows Sockets, looked up at run time so that the library needs no link
// to ws2_32.
struct Sockets {
  decltype(&::WSAStartup) startup;
  decltype(&::WSACleanup) cleanup;
  decltype(&::gethostname) host_name;
  decltype(&::gethostbyname) host_by_name;
  decltype(&::inet_ntoa) address_text;
};

// Null when ws2_32 or one of its entries is missing.
const Sockets* LoadSockets() {
  static Sockets sockets;
  static const bool bound = BindLibrary("ws2_32.dll", {{"WSAStartup", &sockets.startup},
                                                       {"WSACleanup", &sockets.cleanup},
                                                       {"gethostname", &sockets.host_name},
                                                       {"gethostbyname", &sockets.host_by_name},
                                                       {"inet_ntoa", &sockets.address_text}});
  return bound ? &sockets : nullptr;
}

// The first address of the host entry of the machine's name; the sockets
// are started.
std::string FirstHostAddress(const Sockets& sockets) {
  char name[255] = {};
  if (sockets.host_name(name, sizeof name) != 0) {
    return "";
  }
  const hostent* host = sockets.host_by_name(name);
  if (host == nullptr || host->h_addrtype != AF_INET || host->h_addr_list == nullptr ||
      host->h_addr_list[0] == nullptr) {
    return "";
  }
  in_addr address{};
  std::memcpy(&address, host->h_addr_list[0], sizeof address);
  const char* text = sockets.address_text(address);
  return text != nullptr ? text : "";
}

// The record DllGetVersion fills in.
struct DllVersionInfo {
  DWORD size;
  DWORD major;
  DWORD minor;
  DWORD build_number;
  DWORD platform;
};
using DllGetVersionFunction = HRESULT(CALLBACK*)(DllVersionInfo*);

// The browser's version entry in shdocvw; null when it is missing.
DllGetVersionFunction BrowserGetVersion() {
  static DllGetVersionFunction get_version = nullptr;
  static const bool bound = BindLibrary("shdocvw.dll", {{"DllGetVersion", &get_version}});
  return bound ? get_version : nullptr;
}

}  // namespace

bool ReadMemoryStatus(MemoryStatus* status) {
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  if (!::GlobalMemoryStatusEx(&memory)) {
    return false;
  }
  status->total_physical_bytes = memory.ullTotalPhys;
  status->available_physical_bytes = memory.ullAvailPhys;
  status->memory_load_percent = memory.dwMemoryLoad;
  return true;
}

bool ReadComputerName(std::string* name) {
  char buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof buffer;
  if (!::GetComputerNameA(buffer, &size)) {
    return false;
  }
  *name = buffer;
  return true;
}

int ProcessorCount() {
  SYSTEM_INFO info{};
  ::GetSystemInfo(&info);
  return static_cast<int>(info.dwNumberOfProcessors);
}

std::string HostIpv4Address() {
  const Sockets* sockets = LoadSockets();
  WSADATA data{};
  if (sockets == nullptr || sockets->startup(MAKEWORD(2, 0), &data) != 0) {
    return "";
  }
  std::string address = FirstHostAddress(*sockets);
  sockets->cleanup();
  return address;
}

bool ReadSystemVersion(SystemVersion* version) {
  OSVERSIONINFOEXA extended{};
  extended.dwOSVersionInfoSize = sizeof extended;
  const bool has_extended = ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)) != 0;
  if (!has_extended) {
    extended = OSVERSIONINFOEXA{};
    extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
      return false;
    }
  }
  *version = SystemVersion{};
  version->platform = extended.dwPlatformId;
  version->major = extended.dwMajorVersion;
  version->minor = extended.dwMinorVersion;
  version->build_number = extended.dwBuildNumber;
  version->has_service_pack = has_extended;
  if (has_extended) {
    version->service_pack_major = extended.wServicePackMajor;
    version->service_pack_minor = extended.wServicePackMinor;
  }
  return true;
}

bool ReadBrowserVersion(BrowserVersion* version) {
  const DllGetVersionFunction get_version = BrowserGetVersion();
  if (get_version == nullptr) {
    return false;
  }
  DllVersionInfo info{};
  info.size = sizeof info;
  if (get_version(&info) < 0) {
    return false;
  }
  *version = BrowserVersion{info.major, info.minor, info.build_number};
  return true;
}

}  // namespace quendral::os
