// Runs a formula tree against an environment.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_EVALUATOR_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_EVALUATOR_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/syntax.h"

namespace quendral::platform::formula {

class Evaluator {
 public:
  explicit Evaluator(Environment& environment) : environment_(environment) {}

  // The value of the last SELECT statement run, else of the last statement
  // that has one; "" for a formula without any.
  bool Run(const Program& program, Value* result);
  bool Evaluate(const Node& node, Value* value);

  // Records the reason evaluation stops; always false.
  bool Fail(std::string message);
  const std::string& error() const { return error_; }
  // The innermost expression whose evaluation failed, or null when the
  // failure was no expression's.
  const Node* error_node() const { return error_node_; }
  Environment& environment() { return environment_; }
  // @Return: stops the formula with `value` as its result; always false.
  bool Return(Value value);
  bool returning() const { return returned_.has_value(); }
  // A temporary variable, as an assignment (or @Set) makes it.
  void SetVariable(const std::string& name, Value value);

 private:
  bool RunStatement(const Statement& statement, Value* value);
  bool RunDefault(const Statement& statement, Value* value);
  bool EvaluateName(const std::string& name, Value* value);
  bool EvaluateCall(const Node& node, Value* value);
  bool EvaluateChain(const Node& node, Value* value);
  bool EvaluateUnary(const Node& node, Value* value);
  bool EvaluateNode(const Node& node, Value* value);
  bool EvaluateDateTime(const Node& node, Value* value);
  bool EvaluateSubscript(const Node& node, Value* value);
  bool EvaluateAssignment(const Node& node, Value* value);
  const Value* FindVariable(std::string_view name) const;

  Environment& environment_;
  // Temporary variables, and fields given a DEFAULT, by name in any case.
  std::vector<std::pair<std::string, Value>> variables_;
  std::string error_;
  const Node* error_node_ = nullptr;
  std::optional<Value> returned_;
};

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_EVALUATOR_H_
