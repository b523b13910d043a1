#include "notes/status_text.h"

#include "platform/notes/api/ln.h"

namespace quendral {

std::string StatusText(LNSTATUS status) {
  if (status == kErrOpenFailed) {
    return "The database could not be opened";
  }
  char text[512] = {};
  LNGetErrorMessageText(status, text, sizeof text, 0);
  return text;
}

std::string EvaluationFailureText(const std::string& reason, std::optional<std::size_t> position) {
  std::string text = StatusText(platform::kErrFormulaEvaluation);
  if (!reason.empty()) {
    text += ": " + reason;
  }
  if (position) {
    text += " at position " + std::to_string(*position);
  }
  return text;
}

}  // namespace quendral
