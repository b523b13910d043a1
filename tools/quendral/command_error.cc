#include "tools/quendral/command_error.h"

#include "notes/status_text.h"

namespace quendral::cli {

void CheckStatus(LNSTATUS status, const std::string& what) {
  if (status != 0) {
    throw CommandError(what + ": " + StatusText(status));
  }
}

}  // namespace quendral::cli
