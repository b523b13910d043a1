#include "batch/formula_truth.h"

#include <string>

#include "platform/notes/api/item_values.h"
#include "platform/notes/formula/formula.h"

namespace quendral::batch {

bool IsTrue(const LNItem& result) {
  platform::formula::Value value;
  if (platform::values::DecodeFormulaValue(result.GetType(), result.GetValuePtr(),
                                           result.GetValueLength(), &value) != platform::kNoError) {
    return false;
  }
  return IsTrue(value);
}

bool IsTrue(const platform::formula::Value& result) {
  return result.kind == platform::formula::ValueKind::kNumber && !result.numbers.empty() &&
         result.numbers[0] != 0;
}

bool HidesParagraph(const std::vector<std::uint8_t>& hide_when_area, LNDocument& document) {
  std::string text;
  if (!platform::formula::Decompile(hide_when_area.data(), hide_when_area.size(), &text)) {
    return false;
  }
  LNFormula formula;
  return formula.SetText(text) == 0 && IsTrueFor(formula, document);
}

bool IsTrueFor(const LNFormula& formula, LNDocument& document) {
  LNItem result;
  return formula.Evaluate(&result, &document) == 0 && IsTrue(result);
}

}  // namespace quendral::batch
