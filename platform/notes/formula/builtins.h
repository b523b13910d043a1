// Evaluation of each @function. Each reads its arguments through the Call
// and leaves its value in `result`, or fails with a message.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_BUILTINS_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_BUILTINS_H_

#include <cstddef>

#include "platform/notes/formula/value.h"

namespace quendral::platform::formula {

class Call;

// A count taken from a formula's number, from 0 to `limit`: negative counts
// and NaN give 0, fractions are cut off.
inline std::size_t ClampCount(double count, std::size_t limit) {
  if (!(count > 0)) {
    return 0;
  }
  if (count >= static_cast<double>(limit)) {
    return limit;
  }
  return static_cast<std::size_t>(count);
}

// Constants and conditions.
bool EvaluateTrue(Call& call, Value* result);
bool EvaluateFalse(Call& call, Value* result);
bool EvaluateIf(Call& call, Value* result);

// Texts.
bool EvaluateText(Call& call, Value* result);
bool EvaluateTextToNumber(Call& call, Value* result);
bool EvaluateTrim(Call& call, Value* result);
bool EvaluateUpperCase(Call& call, Value* result);
bool EvaluateLowerCase(Call& call, Value* result);
bool EvaluateLeft(Call& call, Value* result);
bool EvaluateRight(Call& call, Value* result);
bool EvaluateLength(Call& call, Value* result);
bool EvaluateContains(Call& call, Value* result);

// Lists.
bool EvaluateElements(Call& call, Value* result);
bool EvaluateIsMember(Call& call, Value* result);
bool EvaluateIsNotMember(Call& call, Value* result);
bool EvaluateImplode(Call& call, Value* result);
bool EvaluateExplode(Call& call, Value* result);
bool EvaluateSubset(Call& call, Value* result);
bool EvaluateSum(Call& call, Value* result);

// The note, the user and the clock.
bool EvaluateNow(Call& call, Value* result);
bool EvaluateToday(Call& call, Value* result);
bool EvaluateYear(Call& call, Value* result);
bool EvaluateMonth(Call& call, Value* result);
bool EvaluateDay(Call& call, Value* result);
bool EvaluateIsAvailable(Call& call, Value* result);
bool EvaluateIsUnavailable(Call& call, Value* result);
bool EvaluateUserName(Call& call, Value* result);
bool EvaluateUserRoles(Call& call, Value* result);
bool EvaluateCreated(Call& call, Value* result);
bool EvaluateModified(Call& call, Value* result);
bool EvaluateDocumentUniqueId(Call& call, Value* result);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_BUILTINS_H_
