#include "platform/os/process.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

// The buffer the program and its arguments are put together in, terminator
// included.
constexpr std::size_t kProgramLineBufferSize = 256;

}  // namespace

// A command line that does not fit is refused rather than cut: a cut one
// would start the program with other arguments than asked.
int RunProgram(bool wait, const std::string& program, const std::string& arguments) try {
  const std::string command_line = program + " " + arguments;
  if (command_line.size() >= kProgramLineBufferSize) {
    return 1;
  }
  const os::ProcessOptions options{.normal_priority = true};
  if (!wait) {
    return os::StartDetachedProcess(command_line, options) == 0 ? 0 : 1;
  }
  os::Process process;
  if (os::StartProcess(command_line, options, &process) != 0) {
    return 1;
  }
  unsigned long exit_code = 0;
  os::WaitForExit(process, &exit_code);
  return 0;
} catch (...) {
  // Not even running out of memory may escape to the caller.
  return 1;
}

int StartCommandLine(const std::string& command_line) try {
  return os::StartDetachedProcess(command_line, {}) == 0 ? 1 : 0;
} catch (...) {
  return 0;
}

}  // namespace quendral::util
