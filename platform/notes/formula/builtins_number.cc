// Numbers: arithmetic, rounding, extremes, trigonometry and logarithms.
// Each works element by element on a number list.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"

namespace quendral::platform::formula {
namespace {

// Applies `map` to each element; an element it has no value for makes the
// call an error saying why.
template <typename Map>
bool MapNumbers(Call& call, Value* result, Map map) {
  std::vector<double> numbers;
  if (!call.EvaluateNumbers(0, &numbers)) {
    return false;
  }
  for (double& number : numbers) {
    number = map(number);
    if (!std::isfinite(number)) {
      return call.Fail("the result is not a number");
    }
  }
  *result = Value::Numbers(std::move(numbers));
  return true;
}

// Combines two number lists pair by pair, the shorter list's last element
// standing in for its missing ones.
template <typename Combine>
bool PairNumbers(Call& call, Value* result, Combine combine) {
  std::vector<double> a;
  std::vector<double> b;
  if (!call.EvaluateNumbers(0, &a) || !call.EvaluateNumbers(1, &b)) {
    return false;
  }
  std::vector<double> combined;
  const std::size_t count = a.empty() || b.empty() ? 0 : std::max(a.size(), b.size());
  for (std::size_t i = 0; i < count; ++i) {
    const double value = combine(a[std::min(i, a.size() - 1)], b[std::min(i, b.size() - 1)]);
    if (!std::isfinite(value)) {
      return call.Fail("the result is not a number");
    }
    combined.push_back(value);
  }
  *result = Value::Numbers(std::move(combined));
  return true;
}

// One argument: its largest (smallest) element. More: pair by pair.
template <typename Pick>
bool Extreme(Call& call, Value* result, Pick pick) {
  if (call.size() == 1) {
    std::vector<double> numbers;
    if (!call.EvaluateNumbers(0, &numbers)) {
      return false;
    }
    if (numbers.empty()) {
      return call.Fail("the list is empty");
    }
    double best = numbers.front();
    for (double number : numbers) {
      best = pick(best, number);
    }
    *result = Value::Number(best);
    return true;
  }
  return PairNumbers(call, result, pick);
}

}  // namespace

bool EvaluateAbs(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::fabs(n); });
}

bool EvaluateSign(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return n > 0 ? 1.0 : n < 0 ? -1.0 : 0.0; });
}

// Toward zero.
bool EvaluateInteger(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::trunc(n); });
}

// @Round(number; factor): to the nearest multiple of the factor (1 when
// none is given), halves rounding up.
bool EvaluateRound(Call& call, Value* result) {
  if (call.size() == 1) {
    return MapNumbers(call, result, [](double n) { return std::floor(n + 0.5); });
  }
  return PairNumbers(call, result, [](double n, double factor) {
    return factor == 0 ? std::nan("") : std::floor(n / factor + 0.5) * factor;
  });
}

// The remainder with the sign of the dividend.
bool EvaluateModulo(Call& call, Value* result) {
  return PairNumbers(call, result, [](double a, double b) { return std::fmod(a, b); });
}

bool EvaluatePower(Call& call, Value* result) {
  return PairNumbers(call, result, [](double a, double b) { return std::pow(a, b); });
}

bool EvaluateSqrt(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::sqrt(n); });
}

bool EvaluateMax(Call& call, Value* result) {
  return Extreme(call, result, [](double a, double b) { return std::max(a, b); });
}

bool EvaluateMin(Call& call, Value* result) {
  return Extreme(call, result, [](double a, double b) { return std::min(a, b); });
}

// A number from 0 up to (not including) 1.
bool EvaluateRandom(Call& /*call*/, Value* result) {
  static thread_local std::mt19937_64 generator{std::random_device{}()};
  *result = Value::Number(std::uniform_real_distribution<double>(0, 1)(generator));
  return true;
}

bool EvaluatePi(Call& /*call*/, Value* result) {
  *result = Value::Number(std::numbers::pi);
  return true;
}

bool EvaluateSin(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::sin(n); });
}

bool EvaluateCos(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::cos(n); });
}

bool EvaluateTan(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::tan(n); });
}

bool EvaluateASin(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::asin(n); });
}

bool EvaluateACos(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::acos(n); });
}

bool EvaluateATan(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::atan(n); });
}

// @ATan2(x; y): the angle of the point (x, y).
bool EvaluateATan2(Call& call, Value* result) {
  return PairNumbers(call, result, [](double x, double y) { return std::atan2(y, x); });
}

bool EvaluateExp(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::exp(n); });
}

// Common (base 10) logarithm.
bool EvaluateLog(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::log10(n); });
}

bool EvaluateLn(Call& call, Value* result) {
  return MapNumbers(call, result, [](double n) { return std::log(n); });
}

}  // namespace quendral::platform::formula
