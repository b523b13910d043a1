#include "notes/formula_evaluation.h"

#include "notes/thrown_status.h"

namespace quendral {
namespace {

constexpr std::int32_t kFailed = 1;

// Compiles the formula, lets `evaluate` run it into `result` and counts the
// values; kFailed on any failure.
template <typename Evaluate>
std::int32_t CountOfEvaluated(const char* text, LNText* result, Evaluate evaluate) {
  if (result == nullptr) {
    return kFailed;
  }
  try {
    LNFormula formula;
    ThrowIfFailed(formula.SetText(text == nullptr ? "" : text));
    ThrowIfFailed(evaluate(formula));
    return static_cast<std::int32_t>(result->GetCount());
  } catch (LNSTATUS) {
    return kFailed;
  }
}

}  // namespace

std::int32_t EvaluateFormulaOnNote(const char* formula, LNText* result, LNNote& note) {
  return CountOfEvaluated(
      formula, result, [&](const LNFormula& compiled) { return compiled.Evaluate(result, &note); });
}

std::int32_t EvaluateFormula(const char* formula, LNText* result) {
  return CountOfEvaluated(formula, result,
                          [&](const LNFormula& compiled) { return compiled.Evaluate(result); });
}

}  // namespace quendral
