#include "platform/os/termination_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <initializer_list>

namespace quendral::os::termination {
namespace {

void OnTerminatingSignal(int signal_number) {
  RemoveRegisteredFiles();
  // SA_RESETHAND has put the default action back: the signal, pending until
  // this handler returns, then ends the process as it would have.
  ::raise(signal_number);
}

bool HasDefaultAction(int signal_number) {
  struct sigaction current {};
  return ::sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_DFL &&
         (current.sa_flags & SA_SIGINFO) == 0;
}

}  // namespace

void InstallHandlers() {
  struct sigaction action {};
  action.sa_handler = OnTerminatingSignal;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    if (HasDefaultAction(signal_number)) {
      ::sigaction(signal_number, &action, nullptr);
    }
  }
  if (HasDefaultAction(SIGXFSZ)) {
    ::signal(SIGXFSZ, SIG_IGN);
  }
}

void RemoveFile(const char* path) { ::unlink(path); }

}  // namespace quendral::os::termination
