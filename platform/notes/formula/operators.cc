#include "platform/notes/formula/operators.h"

#include <algorithm>
#include <cmath>

#include "platform/notes/formula/formula.h"

namespace quendral::platform::formula {
namespace {

// Seconds beyond this cannot all be told apart as doubles.
constexpr double kMaxExactSeconds = 9007199254740992.0;  // 2^53

std::string TypeError(Operator op) {
  return "Incorrect data type for operator '" + std::string(SymbolOf(op)) + "'";
}

// Index of the element of a list of `size` that pairs with element `i` of
// the longer list.
std::size_t Paired(std::size_t i, std::size_t size) { return std::min(i, size - 1); }

// Applies `combine(a, b, &out)` pair by pair; an empty operand gives an
// empty result.
template <typename A, typename B, typename R, typename Combine>
bool Pairwise(const std::vector<A>& a, const std::vector<B>& b, std::vector<R>* out,
              Combine combine) {
  out->clear();
  if (a.empty() || b.empty()) {
    return true;
  }
  const std::size_t count = std::max(a.size(), b.size());
  out->reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    R element{};
    if (!combine(a[Paired(i, a.size())], b[Paired(i, b.size())], &element)) {
      return false;
    }
    out->push_back(std::move(element));
  }
  return true;
}

template <typename T>
bool Holds(Operator op, const T& a, const T& b) {
  switch (op) {
    case Operator::kEqual:
      return a == b;
    case Operator::kNotEqual:
      return !(a == b);
    case Operator::kLess:
      return a < b;
    case Operator::kGreater:
      return b < a;
    case Operator::kLessEqual:
      return a < b || a == b;
    case Operator::kGreaterEqual:
      return b < a || a == b;
    default:
      return false;
  }
}

template <typename T>
bool AnyPairHolds(Operator op, const std::vector<T>& a, const std::vector<T>& b) {
  if (a.empty() || b.empty()) {
    return false;
  }
  const std::size_t count = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (Holds(op, a[Paired(i, a.size())], b[Paired(i, b.size())])) {
      return true;
    }
  }
  return false;
}

bool Compare(Operator op, const Value& left, const Value& right, Value* result,
             std::string* error) {
  if (left.kind != right.kind) {
    *error = TypeError(op);
    return false;
  }
  bool holds = false;
  switch (left.kind) {
    case ValueKind::kText:
      holds = AnyPairHolds(op, left.texts, right.texts);
      break;
    case ValueKind::kNumber:
      holds = AnyPairHolds(op, left.numbers, right.numbers);
      break;
    case ValueKind::kDateTime:
      holds = AnyPairHolds(op, left.datetimes, right.datetimes);
      break;
    case ValueKind::kError:
      break;
  }
  *result = Value::Number(holds ? 1 : 0);
  return true;
}

template <typename T>
void Append(std::vector<T>* to, const std::vector<T>& from) {
  to->insert(to->end(), from.begin(), from.end());
}

bool Concatenate(const Value& left, const Value& right, Value* result, std::string* error) {
  // An empty list has no elements whose kind could clash.
  if (right.size() == 0) {
    *result = left;
    return true;
  }
  if (left.size() == 0) {
    *result = right;
    return true;
  }
  if (left.kind != right.kind) {
    *error = TypeError(Operator::kList);
    return false;
  }
  if (!FitsValueLimits(left.size() + right.size(), ValueBytes(left) + ValueBytes(right))) {
    *error = "Value too large";
    return false;
  }
  *result = left;
  Append(&result->texts, right.texts);
  Append(&result->numbers, right.numbers);
  Append(&result->datetimes, right.datetimes);
  return true;
}

bool JoinTexts(const Value& left, const Value& right, Value* result, std::string* error) {
  const std::size_t count = (left.texts.empty() || right.texts.empty())
                                ? 0
                                : std::max(left.texts.size(), right.texts.size());
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < count; ++i) {
    bytes += left.texts[Paired(i, left.texts.size())].size() +
             right.texts[Paired(i, right.texts.size())].size();
  }
  if (!FitsValueLimits(count, bytes)) {
    *error = "Value too large";
    return false;
  }
  result->kind = ValueKind::kText;
  return Pairwise(left.texts, right.texts, &result->texts,
                  [](const std::string& a, const std::string& b, std::string* out) {
                    *out = a + b;
                    return true;
                  });
}

bool NumberArithmetic(Operator op, const Value& left, const Value& right, Value* result,
                      std::string* error) {
  if (op == Operator::kDivide &&
      std::find(right.numbers.begin(), right.numbers.end(), 0.0) != right.numbers.end() &&
      !left.numbers.empty()) {
    *error = "Division by zero";
    return false;
  }
  result->kind = ValueKind::kNumber;
  return Pairwise(left.numbers, right.numbers, &result->numbers,
                  [op](double a, double b, double* out) {
                    switch (op) {
                      case Operator::kAdd:
                        *out = a + b;
                        break;
                      case Operator::kSubtract:
                        *out = a - b;
                        break;
                      case Operator::kMultiply:
                        *out = a * b;
                        break;
                      default:
                        *out = a / b;
                        break;
                    }
                    return true;
                  });
}

bool ShiftTimes(const std::vector<DateTime>& times, const std::vector<double>& seconds, bool back,
                Value* result, std::string* error) {
  result->kind = ValueKind::kDateTime;
  if (!Pairwise(times, seconds, &result->datetimes,
                [back](DateTime time, double shift, DateTime* out) {
                  return AddSeconds(time, back ? -shift : shift, out);
                })) {
    *error = "Date-time out of range";
    return false;
  }
  return true;
}

bool TimeDifference(const Value& left, const Value& right, Value* result) {
  result->kind = ValueKind::kNumber;
  return Pairwise(left.datetimes, right.datetimes, &result->numbers,
                  [](DateTime a, DateTime b, double* out) {
                    *out = static_cast<double>(a.Instant()) - static_cast<double>(b.Instant());
                    return true;
                  });
}

bool Arithmetic(Operator op, const Value& left, const Value& right, Value* result,
                std::string* error) {
  *result = Value();
  const ValueKind a = left.kind;
  const ValueKind b = right.kind;
  if (a == ValueKind::kNumber && b == ValueKind::kNumber) {
    return NumberArithmetic(op, left, right, result, error);
  }
  if (op == Operator::kAdd && a == ValueKind::kText && b == ValueKind::kText) {
    return JoinTexts(left, right, result, error);
  }
  const bool additive = op == Operator::kAdd || op == Operator::kSubtract;
  if (additive && a == ValueKind::kDateTime && b == ValueKind::kNumber) {
    return ShiftTimes(left.datetimes, right.numbers, op == Operator::kSubtract, result, error);
  }
  if (op == Operator::kAdd && a == ValueKind::kNumber && b == ValueKind::kDateTime) {
    return ShiftTimes(right.datetimes, left.numbers, false, result, error);
  }
  if (op == Operator::kSubtract && a == ValueKind::kDateTime && b == ValueKind::kDateTime) {
    return TimeDifference(left, right, result);
  }
  *error = TypeError(op);
  return false;
}

bool Logic(Operator op, const Value& left, const Value& right, Value* result, std::string* error) {
  bool a = false;
  bool b = false;
  if (!IsTrue(left, &a) || !IsTrue(right, &b)) {
    *error = TypeError(op);
    return false;
  }
  *result = Value::Number((op == Operator::kAnd ? (a && b) : (a || b)) ? 1 : 0);
  return true;
}

// Every element of `value` repeated `times` times in place (a:b twice is
// a:a:b:b), or the whole list repeated (a:b:a:b).
Value Repeat(const Value& value, std::size_t times, bool in_place) {
  Value repeated;
  repeated.kind = value.kind;
  auto repeat = [&](const auto& from, auto* to) {
    to->reserve(from.size() * times);
    for (std::size_t outer = 0; outer < (in_place ? from.size() : times); ++outer) {
      for (std::size_t inner = 0; inner < (in_place ? times : from.size()); ++inner) {
        to->push_back(from[in_place ? outer : inner]);
      }
    }
  };
  repeat(value.texts, &repeated.texts);
  repeat(value.numbers, &repeated.numbers);
  repeat(value.datetimes, &repeated.datetimes);
  return repeated;
}

// A permuted operator is its pairwise one over every pair: each element of
// the left list with each of the right one, the left's elements outermost.
bool ApplyPermuted(Operator op, const Value& left, const Value& right, Value* result,
                   std::string* error) {
  const std::size_t pairs = left.size() * right.size();
  if (!FitsValueLimits(pairs, ValueBytes(left) * right.size() + ValueBytes(right) * left.size())) {
    *error = "Value too large";
    return false;
  }
  return ApplyOperator(PairwiseOf(op), Repeat(left, right.size(), true),
                       Repeat(right, left.size(), false), result, error);
}

}  // namespace

std::size_t ValueBytes(const Value& value) {
  std::size_t bytes = (value.numbers.size() + value.datetimes.size()) * sizeof(double);
  for (const std::string& text : value.texts) {
    bytes += text.size();
  }
  return bytes;
}

bool FitsValueLimits(std::size_t elements, std::size_t bytes) {
  return elements <= kMaxValueElements && bytes <= kMaxValueBytes;
}

bool IsTrue(const Value& value, bool* truth) {
  if (value.kind != ValueKind::kNumber) {
    return false;
  }
  *truth = std::any_of(value.numbers.begin(), value.numbers.end(),
                       [](double number) { return number != 0; });
  return true;
}

bool AddSeconds(DateTime time, double seconds, DateTime* result) {
  if (!(std::fabs(seconds) <= kMaxExactSeconds)) {
    return false;
  }
  const double moved = static_cast<double>(time.seconds) + std::nearbyint(seconds);
  if (!(std::fabs(moved) <= kMaxExactSeconds)) {
    return false;
  }
  *result = time;
  result->seconds = static_cast<std::int64_t>(moved);
  return true;
}

bool ApplyOperator(Operator op, const Value& left, const Value& right, Value* result,
                   std::string* error) {
  if (left.IsError() || right.IsError()) {
    *result = left.IsError() ? left : right;
    return true;
  }
  if (IsPermuted(op)) {
    return ApplyPermuted(op, left, right, result, error);
  }
  switch (LevelOf(op)) {
    case Level::kList:
      return Concatenate(left, right, result, error);
    case Level::kCompare:
      return Compare(op, left, right, result, error);
    case Level::kLogic:
      return Logic(op, left, right, result, error);
    default:
      return Arithmetic(op, left, right, result, error);
  }
}

bool ApplyNegate(const Value& operand, Value* result, std::string* error) {
  if (operand.IsError()) {
    *result = operand;
    return true;
  }
  if (operand.kind != ValueKind::kNumber) {
    *error = "Incorrect data type for operator '-'";
    return false;
  }
  *result = operand;
  for (double& number : result->numbers) {
    number = -number;
  }
  return true;
}

bool ApplyNot(const Value& operand, Value* result, std::string* error) {
  if (operand.IsError()) {
    *result = operand;
    return true;
  }
  if (operand.kind != ValueKind::kNumber) {
    *error = "Incorrect data type for operator '!'";
    return false;
  }
  *result = operand;
  for (double& number : result->numbers) {
    number = number == 0 ? 1 : 0;
  }
  return true;
}

}  // namespace quendral::platform::formula
