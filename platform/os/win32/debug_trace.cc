#include "platform/os/debug_trace.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

void DebugTrace(const char* text) { ::OutputDebugStringA(text); }

}  // namespace quendral::os
