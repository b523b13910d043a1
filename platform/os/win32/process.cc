#include "platform/os/process.h"

#include "platform/os/win32/windows_headers.h"
// psapi.h after windows_headers.h: it needs the types those bring.
#include <psapi.h>

namespace quendral::os {
namespace {

HANDLE ToHandle(Process process) { return reinterpret_cast<HANDLE>(process.id); }

}  // namespace

const char kDefaultCommandInterpreter[] = "CMD.EXE";

unsigned long StartProcess(const std::string& command_line, const ProcessOptions& options,
                           Process* process) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  DWORD flags = 0;
  if (options.hidden_new_console) {
    flags |= CREATE_NEW_CONSOLE;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  if (options.normal_priority) {
    flags |= NORMAL_PRIORITY_CLASS;
  }
  // CreateProcessA may write into the command line it is given.
  std::string writable = command_line;
  PROCESS_INFORMATION started = {};
  if (!::CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &started)) {
    return ::GetLastError();
  }
  ::CloseHandle(started.hThread);
  process->id = reinterpret_cast<std::intptr_t>(started.hProcess);
  return 0;
}

unsigned long StartShellCommand(std::string_view interpreter, std::string_view command,
                                Process* process) {
  return StartProcess(ShellCommandLine(interpreter, command), {.hidden_new_console = true},
                      process);
}

bool WaitForExit(Process process, unsigned long* exit_code) {
  std::uint64_t peak = 0;
  return WaitForExit(process, exit_code, &peak);
}

bool WaitForExit(Process process, unsigned long* exit_code, std::uint64_t* peak_resident_size) {
  const HANDLE handle = ToHandle(process);
  ::WaitForSingleObject(handle, INFINITE);
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  *peak_resident_size = ::K32GetProcessMemoryInfo(handle, &counters, sizeof counters)
                            ? counters.PeakWorkingSetSize
                            : 0;
  DWORD code = 0;
  const bool fetched = ::GetExitCodeProcess(handle, &code) != 0;
  ::CloseHandle(handle);
  if (fetched) {
    *exit_code = code;
  }
  return fetched;
}

unsigned long StartDetachedProcess(const std::string& command_line, const ProcessOptions& options) {
  Process process;
  const unsigned long error = StartProcess(command_line, options, &process);
  if (error == 0) {
    ::CloseHandle(ToHandle(process));
  }
  return error;
}

}  // namespace quendral::os
