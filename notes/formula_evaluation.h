// Evaluating a formula into a text item, with failures turned into a plain
// result.
#ifndef QUENDRAL_NOTES_FORMULA_EVALUATION_H_
#define QUENDRAL_NOTES_FORMULA_EVALUATION_H_

#include <cstdint>

#include "platform/notes/api/ln.h"

namespace quendral {

// Compiles `formula` and evaluates it against the open `note` (its FIELD
// assignments change the note in memory) or without a note. `result`
// receives the formula's value list. Returns the number of values; 1 when
// the formula does not compile or cannot be evaluated, which the return
// value alone cannot tell from a result of one value.
std::int32_t EvaluateFormulaOnNote(const char* formula, LNText* result, LNNote& note);
std::int32_t EvaluateFormula(const char* formula, LNText* result);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_FORMULA_EVALUATION_H_
