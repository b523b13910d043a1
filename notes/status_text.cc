#include "notes/status_text.h"

#include "platform/notes/ln.h"

namespace quendral {

std::string StatusText(LNSTATUS status) {
  char text[512] = {};
  LNGetErrorMessageText(status, text, sizeof text, 0);
  return text;
}

}  // namespace quendral
