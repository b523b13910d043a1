// How the commands report failure: a CommandError carries the one line the
// tool prints on standard error before it exits non-zero.
#ifndef QUENDRAL_TOOLS_QUENDRAL_COMMAND_ERROR_H_
#define QUENDRAL_TOOLS_QUENDRAL_COMMAND_ERROR_H_

#include <stdexcept>
#include <string>

#include "platform/notes/vocabulary/status.h"

namespace quendral::cli {

class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws a CommandError with `what` and the status's text when `status` is
// not 0.
void CheckStatus(LNSTATUS status, const std::string& what);

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_COMMAND_ERROR_H_
