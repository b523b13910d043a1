#include "platform/notes/formula/call.h"

#include "platform/notes/formula/operators.h"

namespace quendral::platform::formula {

bool Call::Evaluate(std::size_t index, Value* value) {
  if (!evaluator_.Evaluate(node_.children[index], value)) {
    return false;
  }
  return !value->IsError() || Raise(value);
}

bool Call::EvaluateTexts(std::size_t index, std::vector<std::string>* texts) {
  Value value;
  if (!Evaluate(index, &value)) {
    return false;
  }
  if (value.kind != ValueKind::kText) {
    return WrongType(index, "text");
  }
  *texts = std::move(value.texts);
  return true;
}

bool Call::EvaluateNumbers(std::size_t index, std::vector<double>* numbers) {
  Value value;
  if (!Evaluate(index, &value)) {
    return false;
  }
  if (value.kind != ValueKind::kNumber) {
    return WrongType(index, "a number");
  }
  *numbers = std::move(value.numbers);
  return true;
}

bool Call::EvaluateTimes(std::size_t index, std::vector<DateTime>* times) {
  Value value;
  if (!Evaluate(index, &value)) {
    return false;
  }
  if (value.kind != ValueKind::kDateTime) {
    return WrongType(index, "a date-time");
  }
  *times = std::move(value.datetimes);
  return true;
}

bool Call::EvaluateCondition(std::size_t index, bool* holds) {
  Value value;
  if (!Evaluate(index, &value)) {
    return false;
  }
  return IsTrue(value, holds) || WrongType(index, "a number");
}

bool Call::EvaluateText(std::size_t index, std::string* text) {
  std::vector<std::string> texts;
  if (!EvaluateTexts(index, &texts)) {
    return false;
  }
  *text = texts.empty() ? std::string() : std::move(texts.front());
  return true;
}

bool Call::EvaluateNumber(std::size_t index, double* number) {
  std::vector<double> numbers;
  if (!EvaluateNumbers(index, &numbers)) {
    return false;
  }
  *number = numbers.empty() ? 0 : numbers.front();
  return true;
}

bool Call::EvaluateCatching(std::size_t index, Value* value) {
  if (evaluator_.Evaluate(node_.children[index], value)) {
    return true;
  }
  if (evaluator_.returning()) {
    return false;
  }
  *value = Value::Error(evaluator_.error());
  return true;
}

bool Call::Fail(std::string_view message) {
  Value error = Value::Error(std::string(name_) + ": " + std::string(message));
  return Raise(&error);
}

bool Call::CheckSize(std::size_t elements, std::size_t bytes) {
  return FitsValueLimits(elements, bytes) || Fail("Value too large");
}

bool Call::WrongType(std::size_t index, std::string_view expected) {
  return Fail("argument " + std::to_string(index + 1) + " must be " + std::string(expected));
}

bool Call::Raise(Value* error) {
  if (error != result_) {
    *result_ = std::move(*error);
  }
  raised_ = true;
  return false;
}

}  // namespace quendral::platform::formula
