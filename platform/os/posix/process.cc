#include "platform/os/process.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace os {
namespace {

// Standard input, output and error are all a child inherits, as Windows
// processes started without handle inheritance get only their standard
// handles.
constexpr int kFirstDescriptorNotInherited = 3;

unsigned long SpawnWords(const std::vector<std::string>& words, Process* process) {
  if (words.empty()) {
    return ENOENT;
  }
  std::vector<char*> arguments;
  arguments.reserve(words.size() + 1);
  for (const std::string& word : words) {
    arguments.push_back(const_cast<char*>(word.c_str()));
  }
  arguments.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  if (::posix_spawn_file_actions_init(&actions) != 0) {
    return ENOMEM;
  }
  ::posix_spawn_file_actions_addclosefrom_np(&actions, kFirstDescriptorNotInherited);
  pid_t pid = 0;
  const int error =
      ::posix_spawnp(&pid, arguments[0], &actions, nullptr, arguments.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    return static_cast<unsigned long>(error);
  }
  process->id = pid;
  return 0;
}

bool WaitForPid(pid_t pid, int* status, rusage* usage = nullptr) {
  for (;;) {
    if (::wait4(pid, status, 0, usage) == pid) {
      return true;
    }
    if (errno != EINTR) {
      return false;
    }
  }
}

}  // namespace

const char kDefaultCommandInterpreter[] = "/bin/sh";

unsigned long StartProcess(const std::string& command_line, const ProcessOptions& /*options*/,
                           Process* process) {
  return SpawnWords(SplitCommandLine(command_line), process);
}

unsigned long StartShellCommand(std::string_view interpreter, std::string_view command,
                                Process* process) {
  if (interpreter == kDefaultCommandInterpreter) {
    return SpawnWords({std::string(interpreter), "-c", std::string(command)}, process);
  }
  return SpawnWords(SplitCommandLine(ShellCommandLine(interpreter, command)), process);
}

bool WaitForExit(Process process, unsigned long* exit_code) {
  std::uint64_t peak = 0;
  return WaitForExit(process, exit_code, &peak);
}

bool WaitForExit(Process process, unsigned long* exit_code, std::uint64_t* peak_resident_size) {
  int status = 0;
  rusage usage{};
  if (!WaitForPid(static_cast<pid_t>(process.id), &status, &usage)) {
    return false;
  }
  // Linux counts in kilobytes.
  *peak_resident_size = static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
  if (WIFEXITED(status)) {
    *exit_code = static_cast<unsigned long>(WEXITSTATUS(status));
  } else {
    *exit_code = 128UL + static_cast<unsigned long>(WTERMSIG(status));
  }
  return true;
}

void ReleaseProcess(Process process) {
  const auto pid = static_cast<pid_t>(process.id);
  std::thread([pid] {
    int status = 0;
    WaitForPid(pid, &status);
  }).detach();
}

}  // namespace os
