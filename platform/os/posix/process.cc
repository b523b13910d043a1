#include "platform/os/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

extern char** environ;

namespace quendral::os {
namespace {

// Standard input, output and error are all a child inherits, as Windows
// processes started without handle inheritance get only their standard
// handles.
constexpr int kFirstDescriptorNotInherited = 3;

// A start prepared in full beforehand, so that it can run in a child of a
// threaded process, where nothing may allocate.
class Spawn {
 public:
  explicit Spawn(std::vector<std::string> words) : words_(std::move(words)) {
    for (std::string& word : words_) {
      arguments_.push_back(word.data());
    }
    arguments_.push_back(nullptr);
    prepared_ = ::posix_spawn_file_actions_init(&actions_) == 0;
    if (prepared_) {
      ::posix_spawn_file_actions_addclosefrom_np(&actions_, kFirstDescriptorNotInherited);
    }
  }
  ~Spawn() {
    if (prepared_) {
      ::posix_spawn_file_actions_destroy(&actions_);
    }
  }
  Spawn(const Spawn&) = delete;
  Spawn& operator=(const Spawn&) = delete;

  // 0 when started, else the error code.
  int Start(pid_t* pid) {
    if (words_.empty()) {
      return ENOENT;
    }
    if (!prepared_) {
      return ENOMEM;
    }
    return ::posix_spawnp(pid, arguments_[0], &actions_, nullptr, arguments_.data(), environ);
  }

 private:
  std::vector<std::string> words_;
  std::vector<char*> arguments_;
  posix_spawn_file_actions_t actions_;
  bool prepared_ = false;
};

unsigned long SpawnWords(std::vector<std::string> words, Process* process) {
  Spawn spawn(std::move(words));
  pid_t pid = 0;
  const int error = spawn.Start(&pid);
  if (error == 0) {
    process->id = pid;
  }
  return static_cast<unsigned long>(error);
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

// The process is started by a child of ours that ends at once, so the
// system adopts it and reaps it when it ends: it never lingers as our
// zombie, and no thread of ours waits for it. The child tells the outcome of
// the start through a pipe.
unsigned long StartDetachedProcess(const std::string& command_line,
                                   const ProcessOptions& /*options*/) {
  Spawn spawn(SplitCommandLine(command_line));
  int outcome[2];
  if (::pipe2(outcome, O_CLOEXEC) != 0) {
    return static_cast<unsigned long>(errno);
  }
  const pid_t child = ::fork();
  if (child == 0) {
    pid_t pid = 0;
    const int error = spawn.Start(&pid);
    ::_exit(::write(outcome[1], &error, sizeof error) == sizeof error ? 0 : 1);
  }
  int error = child < 0 ? errno : ECHILD;
  ::close(outcome[1]);
  if (child > 0) {
    int reported = 0;
    ssize_t got = 0;
    while ((got = ::read(outcome[0], &reported, sizeof reported)) < 0 && errno == EINTR) {
    }
    error = got == sizeof reported ? reported : ECHILD;
    int status = 0;
    WaitForPid(child, &status);
  }
  ::close(outcome[0]);
  return static_cast<unsigned long>(error);
}

}  // namespace quendral::os
