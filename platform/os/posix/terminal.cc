#include "platform/os/terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace quendral::os {

bool IsTerminal(StandardStream stream) {
  return ::isatty(stream == StandardStream::kOutput ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

int TerminalColumns(StandardStream stream) {
  winsize size{};
  const int descriptor = stream == StandardStream::kOutput ? STDOUT_FILENO : STDERR_FILENO;
  if (!IsTerminal(stream) || ::ioctl(descriptor, TIOCGWINSZ, &size) != 0) {
    return 0;
  }
  return size.ws_col;
}

}  // namespace quendral::os
