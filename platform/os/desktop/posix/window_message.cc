#include "platform/os/desktop/window_message.h"

#include <deque>
#include <map>
#include <mutex>

namespace quendral::os {
namespace {

// The bound of a Windows message queue, kept so that a receiver that stops
// reading cannot make senders grow the queue without end.
constexpr std::size_t kMaxQueuedMessages = 10000;

// Our handles count down from the top, far from X11 window identifiers.
constexpr WindowHandle kFirstHandle = UINTPTR_MAX;

class MessageWindows {
 public:
  WindowHandle Create() {
    std::lock_guard<std::mutex> lock(mutex_);
    const WindowHandle handle = next_handle_--;
    queues_[handle];
    return handle;
  }

  void Destroy(WindowHandle window) {
    std::lock_guard<std::mutex> lock(mutex_);
    queues_.erase(window);
  }

  bool Post(WindowHandle window, const WindowMessage& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = queues_.find(window);
    if (found == queues_.end() || found->second.size() >= kMaxQueuedMessages) {
      return false;
    }
    found->second.push_back(message);
    return true;
  }

  bool Take(WindowHandle window, WindowMessage* message) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = queues_.find(window);
    if (found == queues_.end() || found->second.empty()) {
      return false;
    }
    *message = found->second.front();
    found->second.pop_front();
    return true;
  }

 private:
  std::mutex mutex_;
  std::map<WindowHandle, std::deque<WindowMessage>> queues_;
  WindowHandle next_handle_ = kFirstHandle;
};

MessageWindows& Windows() {
  static MessageWindows windows;
  return windows;
}

}  // namespace

bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t first,
                       std::intptr_t second) {
  return Windows().Post(window, {message, first, second});
}

WindowHandle CreateMessageWindow() { return Windows().Create(); }

void DestroyMessageWindow(WindowHandle window) { Windows().Destroy(window); }

bool TakeWindowMessage(WindowHandle window, WindowMessage* message) {
  return Windows().Take(window, message);
}

}  // namespace quendral::os
