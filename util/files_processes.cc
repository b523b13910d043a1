#include "platform/os/process.h"
#include "util/files.h"

namespace util {
namespace {

// The buffer the program and its arguments are put together in, terminator
// included.
constexpr std::size_t kProgramLineBufferSize = 256;

}  // namespace

// A command line that does not fit is refused rather than cut: a cut one
// would start the program with other arguments than asked.
int RunProgram(bool wait, const std::string& program, const std::string& arguments) {
  const std::string command_line = program + " " + arguments;
  if (command_line.size() >= kProgramLineBufferSize) {
    return 1;
  }
  os::Process process;
  if (os::StartProcess(command_line, {.normal_priority = true}, &process) != 0) {
    return 1;
  }
  if (wait) {
    unsigned long exit_code = 0;
    os::WaitForExit(process, &exit_code);
  } else {
    os::ReleaseProcess(process);
  }
  return 0;
}

int StartCommandLine(const std::string& command_line) {
  os::Process process;
  if (os::StartProcess(command_line, {}, &process) != 0) {
    return 0;
  }
  os::ReleaseProcess(process);
  return 1;
}

}  // namespace util
