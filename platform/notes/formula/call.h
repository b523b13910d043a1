// What an @function sees of its call: the arguments, evaluated on demand,
// and the environment.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_CALL_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_CALL_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/notes/formula/evaluator.h"
#include "platform/notes/formula/syntax.h"

namespace quendral::platform::formula {

// An argument that is an error value makes the call's value that error: the
// Evaluate* methods then return false with the error already in the call's
// result, and the function returns false at once, as it does after Fail.
class Call {
 public:
  Call(Evaluator& evaluator, const Node& node, std::string_view name, Value* result)
      : evaluator_(evaluator), node_(node), name_(name), result_(result) {}

  std::size_t size() const { return node_.children.size(); }
  const Node& argument(std::size_t index) const { return node_.children[index]; }
  std::string_view name() const { return name_; }
  Environment& environment() { return evaluator_.environment(); }
  Evaluator& evaluator() { return evaluator_; }

  bool Evaluate(std::size_t index, Value* value);
  // Evaluate an argument that must be of one kind.
  bool EvaluateTexts(std::size_t index, std::vector<std::string>* texts);
  bool EvaluateNumbers(std::size_t index, std::vector<double>* numbers);
  bool EvaluateTimes(std::size_t index, std::vector<DateTime>* times);
  bool EvaluateCondition(std::size_t index, bool* holds);
  // The first element of a text or number argument ("" or 0 for an empty
  // list).
  bool EvaluateText(std::size_t index, std::string* text);
  bool EvaluateNumber(std::size_t index, double* number);
  // The argument's value or its error, as a value: false only when the
  // formula stops (an @Return). For the functions that test for errors.
  bool EvaluateCatching(std::size_t index, Value* value);

  // Makes the call's value the error "<@Function>: <message>"; always false.
  bool Fail(std::string_view message);
  // Fails unless a result of this size fits the value limits.
  bool CheckSize(std::size_t elements, std::size_t bytes);
  // Whether the call's value is an error raised by Fail or an argument.
  bool raised() const { return raised_; }

 private:
  bool WrongType(std::size_t index, std::string_view expected);
  bool Raise(Value* error);

  Evaluator& evaluator_;
  const Node& node_;
  std::string_view name_;
  Value* result_;
  bool raised_ = false;
};

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_CALL_H_
