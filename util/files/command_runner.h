// Running a command through the command interpreter, and reading a text file
// whole.
#ifndef QUENDRAL_UTIL_FILES_COMMAND_RUNNER_H_
#define QUENDRAL_UTIL_FILES_COMMAND_RUNNER_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace quendral::util {

// The command line, terminating zero included, must fit in this many bytes.
inline constexpr std::size_t kCommandLineBufferSize = 4096;

// What RunShellCommand returns, without starting anything, for a command
// line that does not fit: the Windows code ERROR_FILENAME_EXCED_RANGE, on
// every platform.
inline constexpr std::uint32_t kCommandLineTooLong = 206;

// Runs "<interpreter> /c <program> <arguments>" (the arguments unquoted,
// the blank before them present even when they are empty) in a hidden new
// console and waits without a time limit for it to end. The interpreter is
// "COMSPEC" when set, else the system's own (CMD.EXE on Windows; elsewhere
// /bin/sh, given "-c" and "<program> <arguments>" as one word).
//
// Returns the exit code, or the system's error code when the interpreter
// could not be started: the two cannot be told apart. 0 when the exit code
// could not be fetched.
std::uint32_t RunShellCommand(const std::string& program, const std::string& arguments);

// Replaces `content` by the lines of the text file, without their line ends
// ("\n" or "\r\n"), joined by "\n". Empty lines before the first non-empty
// one are dropped. 0 on success (`error_message` untouched); 1 when the file
// could not be opened or read, with `content` empty and the system's message
// (at most 1023 bytes) in `error_message`.
int ReadTextFileLines(const std::string& file_name, std::string* content,
                      std::string* error_message);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_FILES_COMMAND_RUNNER_H_
