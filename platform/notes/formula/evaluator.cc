#include "platform/notes/formula/evaluator.h"

#include <optional>

#include "platform/base/ascii.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/functions.h"
#include "platform/notes/formula/operators.h"

namespace quendral::platform::formula {

bool Evaluator::Run(const Program& program, Value* result) {
  Value last = Value::Text("");
  std::optional<Value> selected;
  for (const Statement& statement : program.statements) {
    if (statement.kind == Statement::Kind::kRem) {
      continue;
    }
    Value value;
    if (!RunStatement(statement, &value)) {
      if (returned_) {
        *result = std::move(*returned_);
        returned_.reset();
        return true;
      }
      return false;
    }
    if (statement.kind == Statement::Kind::kSelect) {
      selected = value;
    }
    last = std::move(value);
  }
  *result = selected ? std::move(*selected) : std::move(last);
  return true;
}

bool Evaluator::Fail(std::string message) {
  error_ = std::move(message);
  return false;
}

bool Evaluator::Return(Value value) {
  returned_ = std::move(value);
  return false;
}

bool Evaluator::RunStatement(const Statement& statement, Value* value) {
  switch (statement.kind) {
    case Statement::Kind::kAssign:
      if (!Evaluate(statement.value, value)) {
        return false;
      }
      SetVariable(statement.name, *value);
      return true;
    case Statement::Kind::kField:
      if (!Evaluate(statement.value, value)) {
        return false;
      }
      if (value->IsError()) {
        return Fail(std::string(value->ErrorMessage()));
      }
      environment_.WriteField(statement.name, *value);
      return true;
    case Statement::Kind::kDefault:
      return RunDefault(statement, value);
    default:
      return Evaluate(statement.value, value);
  }
}

// DEFAULT does not write the note: it only lets the rest of the formula read
// the value in place of a missing field.
bool Evaluator::RunDefault(const Statement& statement, Value* value) {
  if (const Value* variable = FindVariable(statement.name)) {
    *value = *variable;
    return true;
  }
  if (std::optional<Value> field = environment_.ReadField(statement.name)) {
    *value = std::move(*field);
    return true;
  }
  if (!Evaluate(statement.value, value)) {
    return false;
  }
  SetVariable(statement.name, *value);
  return true;
}

bool Evaluator::Evaluate(const Node& node, Value* value) {
  switch (node.kind) {
    case Node::Kind::kNumber:
      *value = Value::Number(node.number);
      return true;
    case Node::Kind::kText:
      *value = Value::Text(node.text);
      return true;
    case Node::Kind::kName:
      return EvaluateName(node.text, value);
    case Node::Kind::kCall:
      return EvaluateCall(node, value);
    case Node::Kind::kNegate:
    case Node::Kind::kNot:
      return EvaluateUnary(node, value);
    case Node::Kind::kChain:
      return EvaluateChain(node, value);
  }
  return Fail("Invalid formula");
}

// Designers' formulas rely on a missing field reading as "".
bool Evaluator::EvaluateName(const std::string& name, Value* value) {
  if (const Value* variable = FindVariable(name)) {
    *value = *variable;
    return true;
  }
  std::optional<Value> field = environment_.ReadField(name);
  *value = field ? std::move(*field) : Value::Text("");
  return true;
}

bool Evaluator::EvaluateCall(const Node& node, Value* value) {
  if (node.function < 0) {
    return Fail("Unknown function " + node.text);
  }
  const FunctionInfo& function = Functions()[node.function];
  Call call(*this, node, function.name, value);
  return function.evaluate(call, value) || call.raised();
}

bool Evaluator::EvaluateChain(const Node& node, Value* value) {
  if (!Evaluate(node.children.front(), value)) {
    return false;
  }
  for (std::size_t i = 1; i < node.children.size(); ++i) {
    const Operator op = node.operators[i - 1];
    // A false left side decides '&', a true one '|': the right side is
    // not evaluated (nor can its errors stop the formula).
    bool left = false;
    if (LevelOf(op) == Level::kLogic && IsTrue(*value, &left) && (op == Operator::kAnd) != left) {
      *value = Value::Number(left ? 1 : 0);
      continue;
    }
    Value right;
    if (!Evaluate(node.children[i], &right)) {
      return false;
    }
    Value combined;
    std::string error;
    if (!ApplyOperator(op, *value, right, &combined, &error)) {
      return Fail(error);
    }
    *value = std::move(combined);
  }
  return true;
}

bool Evaluator::EvaluateUnary(const Node& node, Value* value) {
  Value operand;
  if (!Evaluate(node.children.front(), &operand)) {
    return false;
  }
  std::string error;
  const bool applied = node.kind == Node::Kind::kNegate ? ApplyNegate(operand, value, &error)
                                                        : ApplyNot(operand, value, &error);
  return applied || Fail(error);
}

const Value* Evaluator::FindVariable(std::string_view name) const {
  for (const auto& [variable, value] : variables_) {
    if (base::EqualsIgnoringAsciiCase(variable, name)) {
      return &value;
    }
  }
  return nullptr;
}

void Evaluator::SetVariable(const std::string& name, Value value) {
  for (auto& [variable, current] : variables_) {
    if (base::EqualsIgnoringAsciiCase(variable, name)) {
      current = std::move(value);
      return;
    }
  }
  variables_.emplace_back(name, std::move(value));
}

}  // namespace quendral::platform::formula
