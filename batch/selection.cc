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

bool Selection::Takes(LNDocument& document, std::string* failure) const {
  if (!compiled_) {
    return true;
  }
  LNItem result;
  const LNSTATUS status = formula_.Evaluate(&result, &document);
  const bool evaluated = status == 0;
  if (!evaluated && failure != nullptr) {
    *failure = status == platform::kErrFormulaEvaluation
                   ? EvaluationFailureText(formula_.GetErrorMessage().GetString(),
                                           formula_.GetErrorPosition())
                   : StatusText(status);
  }
  if (document.HasUnsavedChanges()) {
    document.Close();
    if (document.Open(0) != 0) {
      return false;
    }
  }
  return evaluated && document.IsOpen() && IsTrue(result);
}

}  // namespace quendral::batch
