#include "batch/selection.h"

#include "batch/formula_truth.h"
#include "notes/status_text.h"

namespace quendral::batch {

bool Selection::Compile(const std::string& text, CompileError* error) {
  if (formula_.SetText(LNString(text)) != 0) {
    error->position = formula_.GetErrorPosition();
    error->message = formula_.GetErrorMessage().GetString();
    return false;
  }
  compiled_ = true;
  return true;
}

bool Selection::Takes(LNDocument& document) const {
  if (!compiled_) {
    return true;
  }
  LNItem result;
  const LNSTATUS status = formula_.Evaluate(&result, &document);
  if (status != 0) {
    const std::string reason = status == platform::kErrFormulaEvaluation
                                   ? formula_.GetErrorMessage().GetString()
                                   : StatusText(status);
    throw SelectionUndecided("the selection formula cannot be evaluated: " + reason);
  }
  if (document.HasUnsavedChanges()) {
    document.Close();
    if (document.Open(0) != 0) {
      return false;
    }
  }
  return document.IsOpen() && IsTrue(result);
}

}  // namespace quendral::batch
