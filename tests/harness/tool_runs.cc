#include "harness/tool_runs.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

namespace quendral::harness {
namespace {

namespace fs = std::filesystem;

// The child's side of a start: quiet output, the added environment, the tool.
[[noreturn]] void BecomeTool(const std::vector<char*>& arguments,
                             const std::vector<std::string>& environment, const char* output) {
  const int sink = ::open(output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ::dup2(sink, STDOUT_FILENO);
  ::dup2(sink, STDERR_FILENO);
  for (const std::string& setting : environment) {
    ::putenv(const_cast<char*>(setting.c_str()));
  }
  ::execv(arguments[0], arguments.data());
  ::_exit(127);
}

pid_t StartTool(const fs::path& tool, const fs::path& data,
                const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, const fs::path& output) {
  const std::string sink = output.empty() ? "/dev/null" : output.string();
  std::vector<std::string> words{tool.string(), "--data", data.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    BecomeTool(argv, environment, sink.c_str());
  }
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int RunTool(const fs::path& tool, const fs::path& data, const std::vector<std::string>& arguments,
            const std::vector<std::string>& environment, const fs::path& output) {
  const pid_t pid = StartTool(tool, data, arguments, environment, output);
  return pid < 0 ? -1 : Wait(pid);
}

bool KillToolAfter(const fs::path& tool, const fs::path& data,
                   const std::vector<std::string>& arguments, std::chrono::microseconds delay) {
  const pid_t pid = StartTool(tool, data, arguments, {}, {});
  if (pid < 0) {
    return false;
  }
  std::this_thread::sleep_for(delay);
  ::kill(pid, SIGKILL);
  return Wait(pid) == 128 + SIGKILL;
}

}  // namespace quendral::harness
