#include "platform/os/process_liveness.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace quendral::os {

std::uint64_t ThisProcessNumber() { return static_cast<std::uint64_t>(::getpid()); }

// Signal 0 only asks: ESRCH says there is no such process; EPERM that there
// is one, of another user.
bool ProcessHasEnded(std::uint64_t number) {
  if (number == 0 || number > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) {
    return false;
  }
  return ::kill(static_cast<pid_t>(number), 0) != 0 && errno == ESRCH;
}

}  // namespace quendral::os
