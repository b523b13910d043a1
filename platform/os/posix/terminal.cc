#include "platform/os/terminal.h"

#include <unistd.h>

namespace quendral::os {

bool IsTerminal(StandardStream stream) {
  return ::isatty(stream == StandardStream::kOutput ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

}  // namespace quendral::os
