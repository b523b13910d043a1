#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"

namespace quendral::platform::formula {

bool EvaluateTrue(Call& /*call*/, Value* result) {
  *result = Value::Number(1);
  return true;
}

bool EvaluateFalse(Call& /*call*/, Value* result) {
  *result = Value::Number(0);
  return true;
}

// @If(condition; value; ...; otherwise): only the chosen value is evaluated.
bool EvaluateIf(Call& call, Value* result) {
  for (std::size_t i = 0; i + 1 < call.size(); i += 2) {
    bool holds = false;
    if (!call.EvaluateCondition(i, &holds)) {
      return false;
    }
    if (holds) {
      return call.Evaluate(i + 1, result);
    }
  }
  return call.Evaluate(call.size() - 1, result);
}

}  // namespace quendral::platform::formula
