#include "platform/os/performance_counter.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

std::int64_t PerformanceCounterFrequency() {
  LARGE_INTEGER frequency{};
  return ::QueryPerformanceFrequency(&frequency) != 0 ? frequency.QuadPart : 0;
}

std::int64_t ReadPerformanceCounter() {
  LARGE_INTEGER now{};
  return ::QueryPerformanceCounter(&now) != 0 ? now.QuadPart : 0;
}

}  // namespace quendral::os
