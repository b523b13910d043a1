// The debugging output channel: diagnostic traces that a normal run never
// shows.
//
// On Windows this is OutputDebugStringA, which only an attached debugger or
// a trace viewer reads. Elsewhere, builds with assertions enabled (no
// NDEBUG) write the trace to standard error; other builds drop it.
#ifndef QUENDRAL_PLATFORM_OS_DEBUG_TRACE_H_
#define QUENDRAL_PLATFORM_OS_DEBUG_TRACE_H_

namespace quendral::os {

void DebugTrace(const char* text);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DEBUG_TRACE_H_
