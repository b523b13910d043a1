#include "notes/status_text.h"

#include "platform/notes/ln.h"

namespace quendral {

std::string StatusText(LNSTATUS status) {
  if (status == kErrOpenFailed) {
    return "The database could not be opened";
  }
  char text[512] = {};
  LNGetErrorMessageText(status, text, sizeof text, 0);
  return text;
}

}  // namespace quendral
