#include "platform/os/terminal.h"

#include <io.h>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

// A console answers GetConsoleMode; the terminals of MSYS and Cygwin are
// pipes to it, which the C runtime's _isatty recognises as character
// devices instead.
bool IsTerminal(StandardStream stream) {
  const DWORD which = stream == StandardStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
  DWORD mode = 0;
  if (::GetConsoleMode(::GetStdHandle(which), &mode)) {
    return true;
  }
  return ::_isatty(stream == StandardStream::kOutput ? 1 : 2) != 0;
}

// The terminals of MSYS and Cygwin do not tell their width: 0 there.
int TerminalColumns(StandardStream stream) {
  const DWORD which = stream == StandardStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!::GetConsoleScreenBufferInfo(::GetStdHandle(which), &info)) {
    return 0;
  }
  return info.srWindow.Right - info.srWindow.Left + 1;
}

}  // namespace quendral::os
