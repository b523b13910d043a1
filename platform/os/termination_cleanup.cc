#include "platform/os/termination_cleanup.h"

#include <atomic>
#include <mutex>

namespace quendral::os {
namespace {

// Lock-free slots, since a signal handler reads them.
constexpr int kSlots = 64;
std::atomic<const char*> registered[kSlots];

}  // namespace

int RemoveOnTermination(const char* path) {
  static std::once_flag installed;
  std::call_once(installed, termination::InstallHandlers);
  for (int slot = 0; slot < kSlots; ++slot) {
    const char* empty = nullptr;
    if (registered[slot].compare_exchange_strong(empty, path)) {
      return slot;
    }
  }
  return -1;
}

void KeepOnTermination(int ticket) {
  if (ticket >= 0 && ticket < kSlots) {
    registered[ticket].store(nullptr);
  }
}

void termination::RemoveRegisteredFiles() {
  for (std::atomic<const char*>& slot : registered) {
    if (const char* path = slot.load(); path != nullptr) {
      RemoveFile(path);
    }
  }
}

}  // namespace quendral::os
