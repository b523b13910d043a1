#include "platform/os/debug_trace.h"

#include <cstdio>

namespace quendral::os {

#ifdef NDEBUG
void DebugTrace(const char* /*text*/) {}
#else
void DebugTrace(const char* text) { std::fputs(text, stderr); }
#endif

}  // namespace quendral::os
