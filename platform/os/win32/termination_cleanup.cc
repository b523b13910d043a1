#include "platform/os/termination_cleanup.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os::termination {
namespace {

// Runs on a thread of its own while the others go on. Returning FALSE hands
// the event to the next handler, the system's, which ends the process.
BOOL WINAPI OnConsoleEvent(DWORD) {
  RemoveRegisteredFiles();
  return FALSE;
}

}  // namespace

void InstallHandlers() { ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

// A file still open (shared for deletion) goes when its last handle closes,
// at the latest when the process ends.
void RemoveFile(const char* path) { ::DeleteFileA(path); }

}  // namespace quendral::os::termination
