// Starting processes and waiting for them.
//
// Windows starts processes with CreateProcessA, which parses the command
// line itself. Elsewhere the command line is cut into words by the same
// rules (SplitCommandLine), the first word is looked up in the PATH and the
// process is started with posix_spawnp; console and priority settings have
// no equivalent there and are ignored. On both, the error codes are the
// system's (GetLastError, errno); "file not found" is 2 on both.
#ifndef QUENDRAL_PLATFORM_OS_PROCESS_H_
#define QUENDRAL_PLATFORM_OS_PROCESS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quendral::os {

// A started process: its process handle on Windows, its id elsewhere. Each
// one must be given to WaitForExit.
struct Process {
  std::intptr_t id = 0;
};

struct ProcessOptions {
  // In a new console whose window is not shown.
  bool hidden_new_console = false;
  // In the normal priority class rather than the caller's.
  bool normal_priority = false;
};

// The command interpreter when "COMSPEC" is not set: "CMD.EXE" on Windows,
// the POSIX shell "/bin/sh" elsewhere.
extern const char kDefaultCommandInterpreter[];

// 0 when `command_line` was started, else the system's error code.
unsigned long StartProcess(const std::string& command_line, const ProcessOptions& options,
                           Process* process);

// The line an interpreter is started with: "<interpreter> /c <command>".
std::string ShellCommandLine(std::string_view interpreter, std::string_view command);

// Starts ShellCommandLine(interpreter, command) in a hidden new console.
// The POSIX shell takes "-c" and the command as one word instead (it knows
// no "/c"); any other interpreter gets the words of the whole line.
unsigned long StartShellCommand(std::string_view interpreter, std::string_view command,
                                Process* process);

// Waits without a time limit for the process to end and releases it. False
// when its exit code could not be fetched. A process ended by a signal
// (outside Windows) gives 128 plus the signal number, as the shells do.
bool WaitForExit(Process process, unsigned long* exit_code);
// The same, also telling the largest resident size the process reached, in
// bytes. Outside Windows a process started by StartProcess shares the
// starter's memory until it runs its program, so the figure is at least the
// starter's own peak: measure from a small starter.
bool WaitForExit(Process process, unsigned long* exit_code, std::uint64_t* peak_resident_size);

// Starts `command_line` as StartProcess does, for no one to wait for: it is
// released at once. Outside Windows it is started by a short-lived child
// process, so that the system adopts and reaps it and it never lingers as a
// zombie of the caller.
unsigned long StartDetachedProcess(const std::string& command_line, const ProcessOptions& options);

// The words of a command line by the rules of the Windows C runtime: blanks
// and tabs separate words; double quotes group; 2n backslashes before a
// quote stand for n and the quote groups, 2n+1 for n and a literal quote;
// other backslashes are literal.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_PROCESS_H_
