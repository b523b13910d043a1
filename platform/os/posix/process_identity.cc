#include "platform/os/posix/process_identity.h"

#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <sstream>

namespace quendral::os {
namespace {

// The start time the kernel reports for process `pid` (field 22 of its
// stat file, counted after the command name, which may hold blanks); empty
// where there is no such file.
std::string StartTime(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(file, line)) {
    return {};
  }
  const std::size_t name_end = line.rfind(')');
  if (name_end == std::string::npos) {
    return {};
  }
  std::istringstream fields(line.substr(name_end + 1));
  constexpr int kFieldsAfterNameToStartTime = 20;  // fields 3 to 22
  std::string field;
  for (int i = 0; i < kFieldsAfterNameToStartTime && fields >> field; ++i) {
  }
  return fields ? field : std::string();
}

std::string Identity(pid_t pid) { return std::to_string(pid) + ":" + StartTime(pid); }

}  // namespace

std::string ThisProcessIdentity() { return Identity(::getpid()); }

bool ProcessIsRunning(const std::string& identity) {
  pid_t pid = 0;
  const std::errc error =
      std::from_chars(identity.data(), identity.data() + identity.size(), pid).ec;
  if (error != std::errc() || pid <= 0 || (::kill(pid, 0) != 0 && errno != EPERM)) {
    return false;
  }
  return Identity(pid) == identity;
}

}  // namespace quendral::os
