// Posting messages to windows, and windows of ours that only receive them.
//
// On Windows posting is PostMessageA, a message window is a message-only
// window (parent HWND_MESSAGE) of the "STATIC" class owned by the calling
// thread, and taking a message is PeekMessageA with PM_REMOVE. Elsewhere a
// message window is a queue of ours in the process, open to every thread,
// and only such windows can be posted to.
#ifndef QUENDRAL_PLATFORM_OS_DESKTOP_WINDOW_MESSAGE_H_
#define QUENDRAL_PLATFORM_OS_DESKTOP_WINDOW_MESSAGE_H_

#include <cstdint>

#include "platform/os/desktop/window.h"

namespace quendral::os {

struct WindowMessage {
  std::uint32_t message;
  std::uintptr_t first;
  std::intptr_t second;
};

// Queues the message for `window` and returns at once; false when the
// message could not be queued (no such window, or its queue is full).
bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t first,
                       std::intptr_t second);

// A new window that receives posted messages; 0 when none can be made.
WindowHandle CreateMessageWindow();
// Messages still queued are dropped unread.
void DestroyMessageWindow(WindowHandle window);
// Takes the oldest message queued for `window`; false when there is none.
bool TakeWindowMessage(WindowHandle window, WindowMessage* message);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DESKTOP_WINDOW_MESSAGE_H_
