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

class Call {
 public:
  Call(Evaluator& evaluator, const Node& node, std::string_view name)
      : evaluator_(evaluator), node_(node), name_(name) {}

  std::size_t size() const { return node_.children.size(); }
  const Node& argument(std::size_t index) const { return node_.children[index]; }
  Environment& environment() { return evaluator_.environment(); }

  bool Evaluate(std::size_t index, Value* value);
  // Evaluate an argument that must be of one kind.
  bool EvaluateTexts(std::size_t index, std::vector<std::string>* texts);
  bool EvaluateNumbers(std::size_t index, std::vector<double>* numbers);
  bool EvaluateTimes(std::size_t index, std::vector<DateTime>* times);
  bool EvaluateCondition(std::size_t index, bool* holds);

  // Fails the evaluation with "<@Function>: <message>".
  bool Fail(std::string_view message);
  // Fails unless a result of this size fits the value limits.
  bool CheckSize(std::size_t elements, std::size_t bytes);

 private:
  bool WrongType(std::size_t index, std::string_view expected);

  Evaluator& evaluator_;
  const Node& node_;
  std::string_view name_;
};

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_CALL_H_
