#include "platform/os/thread_name.h"

#include <pthread.h>

#include <cstring>
#include <string>

namespace quendral::os {
namespace {

// The longest name Linux keeps, terminator excluded.
constexpr std::size_t kMaxNameLength = 15;

static_assert(sizeof(pthread_t) <= sizeof(ThreadId), "a pthread_t must fit a ThreadId");

pthread_t Native(ThreadId thread) {
  if (thread == kCallingThread) {
    return ::pthread_self();
  }
  pthread_t native{};
  std::memcpy(&native, &thread, sizeof(native));
  return native;
}

}  // namespace

ThreadId CurrentThreadId() {
  const pthread_t self = ::pthread_self();
  ThreadId thread = 0;
  std::memcpy(&thread, &self, sizeof(self));
  return thread;
}

void SetThreadDebugName(ThreadId thread, const char* name) {
  const std::string cut = std::string(name == nullptr ? "" : name).substr(0, kMaxNameLength);
  ::pthread_setname_np(Native(thread), cut.c_str());
}

}  // namespace quendral::os
