#include "platform/os/thread_name.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

// The exception debuggers take as "name this thread".
constexpr DWORD kThreadNamingException = 0x406D1388;

// The naming record, as debuggers read it from the exception's arguments.
struct ThreadNameRecord {
  DWORD type;  // always 0x1000
  LPCSTR name;
  DWORD thread_id;  // -1 for the calling thread
  DWORD flags;
};

LONG CALLBACK ResumeAfterNaming(EXCEPTION_POINTERS* exception) {
  return exception->ExceptionRecord->ExceptionCode == kThreadNamingException
             ? EXCEPTION_CONTINUE_EXECUTION
             : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

ThreadId CurrentThreadId() { return ::GetCurrentThreadId(); }

// A vectored handler stands in for a structured exception block, which this
// compiler lacks; an attached debugger still sees the exception first.
void SetThreadDebugName(ThreadId thread, const char* name) {
  const ThreadNameRecord record = {0x1000, name, static_cast<DWORD>(thread), 0};
  void* handler = ::AddVectoredExceptionHandler(1, ResumeAfterNaming);
  if (handler == nullptr) {
    return;
  }
  ::RaiseException(kThreadNamingException, 0, sizeof(record) / sizeof(ULONG_PTR),
                   reinterpret_cast<const ULONG_PTR*>(&record));
  ::RemoveVectoredExceptionHandler(handler);
}

}  // namespace quendral::os
