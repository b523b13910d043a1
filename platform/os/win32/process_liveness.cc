#include "platform/os/process_liveness.h"

#include <limits>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

std::uint64_t ThisProcessNumber() { return ::GetCurrentProcessId(); }

// A process that has ended but whose object someone still holds opens, and
// is signalled; one whose object is gone is an invalid parameter.
bool ProcessHasEnded(std::uint64_t number) {
  if (number == 0 || number > std::numeric_limits<DWORD>::max()) {
    return false;
  }
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                 static_cast<DWORD>(number));
  if (process == nullptr) {
    return ::GetLastError() == ERROR_INVALID_PARAMETER;
  }
  const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  ::CloseHandle(process);
  return ended;
}

}  // namespace quendral::os
