#include "batch/selection.h"

#include "batch/formula_truth.h"

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
  const bool evaluated = formula_.Evaluate(&result, &document) == 0;
  if (!evaluated) {
    const std::string reason = formula_.GetErrorMessage().GetString();
    throw SelectionUndecided("the selection formula cannot be evaluated: " +
                             (reason.empty() ? std::string("no reason given") : reason));
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
