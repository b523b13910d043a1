#include "platform/os/desktop/dialog_exchange.h"

namespace quendral::os {

// No dialog windows here: callers use MemoryDialogExchange instead.
std::unique_ptr<DialogExchange> OpenWindowDialogExchange(
    WindowHandle /*dialog*/, ExchangeDirection /*direction*/,
    const MessageBoxFunction& /*show_message*/) {
  return nullptr;
}

}  // namespace quendral::os
