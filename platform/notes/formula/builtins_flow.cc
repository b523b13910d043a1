// Flow of a formula: sequences, loops, early return, errors as values, and
// assignments made by function.
#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/parser.h"

namespace quendral::platform::formula {
namespace {

// Loops end with an error past this many rounds, so that no formula runs
// for ever.
constexpr int kMaxLoopRounds = 64 * 1024;
// How deeply @Eval may run formulas that run @Eval.
constexpr int kMaxEvalDepth = 16;

// Evaluates the arguments from `first` to before `last` in order; the last
// one's value is the result.
bool EvaluateSequence(Call& call, std::size_t first, std::size_t last, Value* result) {
  for (std::size_t i = first; i < last; ++i) {
    if (!call.Evaluate(i, result)) {
      return false;
    }
  }
  return true;
}

bool LoopTooLong(Call& call) {
  return call.Fail("stopped after " + std::to_string(kMaxLoopRounds) + " rounds");
}

}  // namespace

// @Do(expression; ...): each in turn; the last one's value.
bool EvaluateDo(Call& call, Value* result) {
  return EvaluateSequence(call, 0, call.size(), result);
}

// @For(start; condition; step; statement; ...): 1 when the loop ends.
bool EvaluateFor(Call& call, Value* result) {
  Value ignored;
  if (!call.Evaluate(0, &ignored)) {
    return false;
  }
  for (int round = 0;; ++round) {
    bool again = false;
    if (!call.EvaluateCondition(1, &again)) {
      return false;
    }
    if (!again) {
      break;
    }
    if (round == kMaxLoopRounds) {
      return LoopTooLong(call);
    }
    if (!EvaluateSequence(call, 3, call.size(), &ignored) || !call.Evaluate(2, &ignored)) {
      return false;
    }
  }
  *result = Value::Number(1);
  return true;
}

// @While(condition; statement; ...): 1 when the loop ends.
bool EvaluateWhile(Call& call, Value* result) {
  Value ignored;
  for (int round = 0;; ++round) {
    bool again = false;
    if (!call.EvaluateCondition(0, &again)) {
      return false;
    }
    if (!again) {
      break;
    }
    if (round == kMaxLoopRounds) {
      return LoopTooLong(call);
    }
    if (!EvaluateSequence(call, 1, call.size(), &ignored)) {
      return false;
    }
  }
  *result = Value::Number(1);
  return true;
}

// @DoWhile(statement; ...; condition): the statements at least once.
bool EvaluateDoWhile(Call& call, Value* result) {
  Value ignored;
  for (int round = 0;; ++round) {
    if (round == kMaxLoopRounds) {
      return LoopTooLong(call);
    }
    bool again = false;
    if (!EvaluateSequence(call, 0, call.size() - 1, &ignored) ||
        !call.EvaluateCondition(call.size() - 1, &again)) {
      return false;
    }
    if (!again) {
      break;
    }
  }
  *result = Value::Number(1);
  return true;
}

// Ends the formula with the value.
bool EvaluateReturn(Call& call, Value* result) {
  return call.Evaluate(0, result) && call.evaluator().Return(*result);
}

bool EvaluateIsError(Call& call, Value* result) {
  Value value;
  if (!call.EvaluateCatching(0, &value)) {
    return false;
  }
  *result = Value::Number(value.IsError() ? 1 : 0);
  return true;
}

// @IfError(value; value if it is an error): "" when the second is missing.
bool EvaluateIfError(Call& call, Value* result) {
  if (!call.EvaluateCatching(0, result)) {
    return false;
  }
  if (!result->IsError()) {
    return true;
  }
  if (call.size() == 1) {
    *result = Value::Text("");
    return true;
  }
  return call.Evaluate(1, result);
}

bool EvaluateError(Call& /*call*/, Value* result) {
  *result = Value::Error("@Error");
  return true;
}

// Validation results: @Success is true, @Failure is its message.
bool EvaluateSuccess(Call& /*call*/, Value* result) {
  *result = Value::Number(1);
  return true;
}

bool EvaluateFailure(Call& call, Value* result) {
  std::vector<std::string> message;
  if (!call.EvaluateTexts(0, &message)) {
    return false;
  }
  *result = Value::Texts(std::move(message));
  return true;
}

// @Set("variable"; value): assigns the temporary variable.
bool EvaluateSet(Call& call, Value* result) {
  std::string name;
  if (!call.EvaluateText(0, &name) || !call.Evaluate(1, result)) {
    return false;
  }
  if (!IsValidName(name)) {
    return call.Fail("\"" + name + "\" is not a variable name");
  }
  call.evaluator().SetVariable(name, *result);
  return true;
}

// @SetField("field"; value): assigns the field, as FIELD does.
bool EvaluateSetField(Call& call, Value* result) {
  std::string name;
  if (!call.EvaluateText(0, &name) || !call.Evaluate(1, result)) {
    return false;
  }
  if (!IsValidName(name)) {
    return call.Fail("\"" + name + "\" is not a field name");
  }
  call.environment().WriteField(name, *result);
  return true;
}

// @GetField("field"): the field's value, "" when the note lacks it.
bool EvaluateGetField(Call& call, Value* result) {
  std::string name;
  if (!call.EvaluateText(0, &name)) {
    return false;
  }
  std::optional<Value> field = call.environment().ReadField(name);
  *result = field ? std::move(*field) : Value::Text("");
  return true;
}

// @Eval(text): the value of the formula the text holds, run with this
// formula's variables and note.
bool EvaluateEval(Call& call, Value* result) {
  static thread_local int depth = 0;
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  std::string text;
  for (const std::string& part : texts) {
    text += (text.empty() ? "" : ";") + part;
  }
  if (text.size() > kMaxFormulaTextLength || depth >= kMaxEvalDepth) {
    return call.Fail(depth >= kMaxEvalDepth ? "nested too deeply" : "formula too long");
  }
  Program program;
  CompileError error;
  if (!Parse(text, &program, &error)) {
    return call.Fail(error.message + " at position " + std::to_string(error.position));
  }
  ++depth;
  const bool ran = call.evaluator().Run(program, result);
  --depth;
  return ran;
}

}  // namespace quendral::platform::formula
