#include "util/files/command_runner.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>

#include "platform/os/process.h"
#include "util/files/files_error_message.h"

namespace quendral::util {
namespace {

std::string CommandInterpreter() {
  const char* configured = std::getenv("COMSPEC");
  return configured != nullptr ? configured : os::kDefaultCommandInterpreter;
}

// Lines end in "\n"; files written by this library end theirs in "\r\n".
void DropCarriageReturn(std::string* line) {
  if (!line->empty() && line->back() == '\r') {
    line->pop_back();
  }
}

}  // namespace

std::uint32_t RunShellCommand(const std::string& program, const std::string& arguments) {
  const std::string interpreter = CommandInterpreter();
  const std::string command = program + " " + arguments;
  if (os::ShellCommandLine(interpreter, command).size() >= kCommandLineBufferSize) {
    return kCommandLineTooLong;
  }
  os::Process process;
  const unsigned long error = os::StartShellCommand(interpreter, command, &process);
  if (error != 0) {
    return static_cast<std::uint32_t>(error);
  }
  unsigned long exit_code = 0;
  if (!os::WaitForExit(process, &exit_code)) {
    return 0;
  }
  return static_cast<std::uint32_t>(exit_code);
}

int ReadTextFileLines(const std::string& file_name, std::string* content,
                      std::string* error_message) {
  content->clear();
  errno = 0;
  std::ifstream file(file_name, std::ios::binary);
  if (!file) {
    *error_message = ErrorMessage(errno);
    return 1;
  }
  std::string gathered;
  std::string line;
  while (std::getline(file, line)) {
    DropCarriageReturn(&line);
    if (!gathered.empty()) {
      gathered += '\n';
    }
    gathered += line;
  }
  if (file.bad()) {
    *error_message = ErrorMessage(errno != 0 ? errno : EIO);
    return 1;
  }
  *content = std::move(gathered);
  return 0;
}

}  // namespace quendral::util
