#include "platform/os/fault_guard.h"

#include <mutex>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

// What __builtin_setjmp keeps: frame pointer, resume address, stack pointer
// and room for the target's own use.
using JumpBuffer = void* [5];

std::mutex guard_mutex;
thread_local JumpBuffer* active_guard = nullptr;

// Exceptions of error severity are faults; others (debug output, C++
// exceptions in flight) are none of the guard's business.
bool IsFault(DWORD code) { return (code & 0xC0000000U) == 0xC0000000U; }

LONG CALLBACK OnException(EXCEPTION_POINTERS* exception) {
  if (active_guard == nullptr || !IsFault(exception->ExceptionRecord->ExceptionCode)) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  // Leaves the handler and the faulting code without unwinding, straight back
  // into RunGuarded's frame, which is still live below them on this stack.
  __builtin_longjmp(*active_guard, 1);
}

}  // namespace

bool RunGuarded(void (*body)(void*), void* context) {
  const std::lock_guard<std::mutex> lock(guard_mutex);
  void* const handler = ::AddVectoredExceptionHandler(1, OnException);
  if (handler == nullptr) {
    return false;
  }
  JumpBuffer guard;
  if (__builtin_setjmp(guard) != 0) {
    active_guard = nullptr;
    ::RemoveVectoredExceptionHandler(handler);
    return false;
  }
  active_guard = &guard;
  body(context);
  active_guard = nullptr;
  ::RemoveVectoredExceptionHandler(handler);
  return true;
}

}  // namespace quendral::os
