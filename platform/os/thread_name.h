// Naming threads for debuggers.
//
// On Windows the name is handed to an attached debugger by raising the
// exception 0x406D1388 with the naming record as its arguments, and a
// handler of ours resumes at once, so that without a debugger nothing
// happens. Elsewhere the thread gets the name with pthread_setname_np, cut
// to the system's limit (15 bytes on Linux), where debuggers and the process
// list read it.
#ifndef QUENDRAL_PLATFORM_OS_THREAD_NAME_H_
#define QUENDRAL_PLATFORM_OS_THREAD_NAME_H_

#include <cstdint>

namespace quendral::os {

// A thread: its thread identifier on Windows, its pthread_t elsewhere.
using ThreadId = std::uintptr_t;

// Names the calling thread wherever a ThreadId is taken.
inline constexpr ThreadId kCallingThread = ~ThreadId{0};

ThreadId CurrentThreadId();

void SetThreadDebugName(ThreadId thread, const char* name);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_THREAD_NAME_H_
