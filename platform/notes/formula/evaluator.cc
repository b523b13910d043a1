#include "platform/notes/formula/evaluator.h"

#include <cmath>
#include <optional>
#include <string>

#include "platform/notes/formula/call.h"
#include "platform/notes/formula/datetime_constant.h"
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
  error_node_ = nullptr;  // set by the innermost expression it stops
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
  if (EvaluateNode(node, value)) {
    return true;
  }
  if (error_node_ == nullptr) {
    error_node_ = &node;
  }
  return false;
}

bool Evaluator::EvaluateNode(const Node& node, Value* value) {
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
    case Node::Kind::kDateTime:
      return EvaluateDateTime(node, value);
    case Node::Kind::kKeyword:
      *value = Value::Text(node.text);
      return true;
    case Node::Kind::kSubscript:
      return EvaluateSubscript(node, value);
    case Node::Kind::kAssign:
    case Node::Kind::kFieldAssign:
      return EvaluateAssignment(node, value);
  }
  return Fail("Invalid formula");
}

// Designers' formulas rely on a missing field reading as "", and an item
// holds no empty list: one without values reads as "" too.
bool Evaluator::EvaluateName(const std::string& name, Value* value) {
  if (const Value* variable = FindVariable(name)) {
    *value = *variable;
    return true;
  }
  std::optional<Value> field = environment_.ReadField(name);
  *value = field && field->size() > 0 ? std::move(*field) : Value::Text("");
  return true;
}

bool Evaluator::EvaluateDateTime(const Node& node, Value* value) {
  DateTimeConstant constant;
  if (!ParseDateTimeConstant(node.text, &constant)) {
    return Fail("Invalid date-time constant");
  }
  *value = Value::Time(ValueOf(constant, environment_.Now()));
  return true;
}

// A 1-based index into the list; the first element of an index list counts,
// and its fraction is dropped.
bool Evaluator::EvaluateSubscript(const Node& node, Value* value) {
  Value list;
  Value index;
  if (!Evaluate(node.children[0], &list) || !Evaluate(node.children[1], &index)) {
    return false;
  }
  if (list.IsError() || index.IsError()) {
    *value = list.IsError() ? std::move(list) : std::move(index);
    return true;
  }
  if (index.kind != ValueKind::kNumber || index.numbers.empty()) {
    return Fail("A subscript must be a number");
  }
  const double position = std::trunc(index.numbers.front());
  if (!(position >= 1 && position <= static_cast<double>(list.size()))) {
    return Fail("Subscript out of range: " + FormatNumber(index.numbers.front()) +
                " of a list of " + std::to_string(list.size()));
  }
  const auto i = static_cast<std::size_t>(position) - 1;
  switch (list.kind) {
    case ValueKind::kText:
      *value = Value::Text(list.texts[i]);
      break;
    case ValueKind::kNumber:
      *value = Value::Number(list.numbers[i]);
      break;
    case ValueKind::kDateTime:
      *value = Value::Time(list.datetimes[i]);
      break;
    case ValueKind::kError:  // passed on above
      break;
  }
  return true;
}

bool Evaluator::EvaluateAssignment(const Node& node, Value* value) {
  if (!Evaluate(node.children.front(), value)) {
    return false;
  }
  if (node.kind == Node::Kind::kFieldAssign) {
    if (value->IsError()) {
      return Fail(std::string(value->ErrorMessage()));
    }
    environment_.WriteField(node.text, *value);
  } else {
    SetVariable(node.text, *value);
  }
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
    if (SameFieldName(variable, name)) {
      return &value;
    }
  }
  return nullptr;
}

void Evaluator::SetVariable(const std::string& name, Value value) {
  for (auto& [variable, current] : variables_) {
    if (SameFieldName(variable, name)) {
      current = std::move(value);
      return;
    }
  }
  variables_.emplace_back(name, std::move(value));
}

}  // namespace quendral::platform::formula
