#include "platform/os/fault_guard.h"

#include <setjmp.h>
#include <signal.h>

#include <cstddef>
#include <mutex>

namespace quendral::os {
namespace {

constexpr int kFaultSignals[] = {SIGILL, SIGSEGV, SIGBUS, SIGFPE};
constexpr std::size_t kFaultSignalCount = sizeof kFaultSignals / sizeof kFaultSignals[0];

// The handlers are process-wide while the jump target belongs to one thread;
// the mutex keeps one thread's restore from removing another's handlers.
std::mutex guard_mutex;
thread_local sigjmp_buf* active_guard = nullptr;

void OnFault(int signal_number) {
  if (active_guard == nullptr) {
    // A fault of a thread that runs no guarded code: let the instruction fault
    // again under the default action.
    ::signal(signal_number, SIG_DFL);
    return;
  }
  ::siglongjmp(*active_guard, 1);
}

void InstallHandlers(struct sigaction (&previous)[kFaultSignalCount]) {
  struct sigaction action {};
  action.sa_handler = OnFault;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < kFaultSignalCount; ++i) {
    ::sigaction(kFaultSignals[i], &action, &previous[i]);
  }
}

void RestoreHandlers(const struct sigaction (&previous)[kFaultSignalCount]) {
  for (std::size_t i = 0; i < kFaultSignalCount; ++i) {
    ::sigaction(kFaultSignals[i], &previous[i], nullptr);
  }
}

}  // namespace

bool RunGuarded(void (*body)(void*), void* context) {
  const std::lock_guard<std::mutex> lock(guard_mutex);
  struct sigaction previous[kFaultSignalCount];
  InstallHandlers(previous);
  sigjmp_buf guard;
  // The signal mask is saved too: the handler runs with its signal blocked,
  // and the jump out of it must unblock it again.
  if (sigsetjmp(guard, 1) != 0) {
    active_guard = nullptr;
    RestoreHandlers(previous);
    return false;
  }
  active_guard = &guard;
  body(context);
  active_guard = nullptr;
  RestoreHandlers(previous);
  return true;
}

}  // namespace quendral::os
