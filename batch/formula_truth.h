// When a formula's result counts as true, for selection formulas and
// hide-when formulas alike: its first value is a number other than 0.
#ifndef QUENDRAL_BATCH_FORMULA_TRUTH_H_
#define QUENDRAL_BATCH_FORMULA_TRUTH_H_

#include <cstdint>
#include <vector>

#include "platform/notes/api/ln.h"
#include "platform/notes/formula/value.h"

namespace quendral::batch {

// Whether a formula's result item is true. A result that cannot be read is
// false.
bool IsTrue(const LNItem& result);
bool IsTrue(const platform::formula::Value& result);

// Whether the compiled formula, evaluated against `document`, is true; false
// when it cannot be evaluated.
bool IsTrueFor(const LNFormula& formula, LNDocument& document);

// Whether the hide-when formula area hides its paragraph in `document`. A
// formula that cannot be read or evaluated hides nothing, as a reader's
// client treats it.
bool HidesParagraph(const std::vector<std::uint8_t>& hide_when_area, LNDocument& document);

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_FORMULA_TRUTH_H_
