// Tests of a value's type and emptiness. An error argument makes the test
// that error: only @IsError looks at errors.
#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"

namespace quendral::platform::formula {
namespace {

template <typename Test>
bool TestValue(Call& call, Value* result, Test test) {
  Value value;
  if (!call.Evaluate(0, &value)) {
    return false;
  }
  *result = Value::Number(test(value) ? 1 : 0);
  return true;
}

}  // namespace

bool EvaluateIsText(Call& call, Value* result) {
  return TestValue(call, result, [](const Value& v) { return v.kind == ValueKind::kText; });
}

bool EvaluateIsNumber(Call& call, Value* result) {
  return TestValue(call, result, [](const Value& v) { return v.kind == ValueKind::kNumber; });
}

bool EvaluateIsTime(Call& call, Value* result) {
  return TestValue(call, result, [](const Value& v) { return v.kind == ValueKind::kDateTime; });
}

bool EvaluateIsList(Call& call, Value* result) {
  return TestValue(call, result, [](const Value& v) { return v.size() > 1; });
}

// "" and the empty list.
bool EvaluateIsNull(Call& call, Value* result) {
  return TestValue(call, result, [](const Value& v) {
    return v.size() == 0 || (v.kind == ValueKind::kText && v.size() == 1 && v.texts[0].empty());
  });
}

}  // namespace quendral::platform::formula
