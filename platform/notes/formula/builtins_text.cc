#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/notes/formula/ascii.h"
#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"

namespace quendral::platform::formula {
namespace {

bool ParseNumber(std::string_view text, double* number) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return false;
  }
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(*number);
}

// Strips leading and trailing blanks and collapses runs of blanks.
std::string TrimBlanks(const std::string& text) {
  std::string trimmed;
  for (char c : text) {
    if (c == ' ' && (trimmed.empty() || trimmed.back() == ' ')) {
      continue;
    }
    trimmed.push_back(c);
  }
  if (!trimmed.empty() && trimmed.back() == ' ') {
    trimmed.pop_back();
  }
  return trimmed;
}

template <typename Map>
bool MapTexts(Call& call, Value* result, Map map) {
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  for (std::string& text : texts) {
    map(&text);
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

// @Left and @Right: a count of bytes, or the part before (after) the first
// occurrence of a text ("" when it does not occur).
bool TakeSide(Call& call, Value* result, bool left) {
  Value which;
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts) || !call.Evaluate(1, &which)) {
    return false;
  }
  if (which.kind == ValueKind::kDateTime) {
    return call.Fail("argument 2 must be a number or text");
  }
  for (std::string& text : texts) {
    if (which.kind == ValueKind::kNumber) {
      const double wanted = which.numbers.empty() ? 0 : which.numbers.front();
      const std::size_t count = ClampCount(wanted, text.size());
      text = left ? text.substr(0, count) : text.substr(text.size() - count);
      continue;
    }
    const std::string& marker = which.texts.empty() ? std::string() : which.texts.front();
    const std::size_t found = text.find(marker);
    if (found == std::string::npos) {
      text.clear();
    } else {
      text = left ? text.substr(0, found) : text.substr(found + marker.size());
    }
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

}  // namespace

bool EvaluateText(Call& call, Value* result) {
  Value value;
  if (!call.Evaluate(0, &value)) {
    return false;
  }
  *result = Value::Texts(ValueAsTexts(value));
  return true;
}

bool EvaluateTextToNumber(Call& call, Value* result) {
  Value value;
  if (!call.Evaluate(0, &value)) {
    return false;
  }
  if (value.kind == ValueKind::kNumber) {
    *result = std::move(value);
    return true;
  }
  if (value.kind != ValueKind::kText) {
    return call.Fail("argument 1 must be text");
  }
  std::vector<double> numbers(value.texts.size());
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (!ParseNumber(value.texts[i], &numbers[i])) {
      return call.Fail("\"" + value.texts[i].substr(0, 64) + "\" is not a number");
    }
  }
  *result = Value::Numbers(std::move(numbers));
  return true;
}

// Blank elements are dropped from the list; a list of nothing but blanks
// trims to "".
bool EvaluateTrim(Call& call, Value* result) {
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  std::vector<std::string> trimmed;
  for (const std::string& text : texts) {
    std::string element = TrimBlanks(text);
    if (!element.empty()) {
      trimmed.push_back(std::move(element));
    }
  }
  *result = trimmed.empty() ? Value::Text("") : Value::Texts(std::move(trimmed));
  return true;
}

bool EvaluateUpperCase(Call& call, Value* result) {
  return MapTexts(call, result, [](std::string* text) {
    std::transform(text->begin(), text->end(), text->begin(), AsciiUpper);
  });
}

bool EvaluateLowerCase(Call& call, Value* result) {
  return MapTexts(call, result, [](std::string* text) {
    std::transform(text->begin(), text->end(), text->begin(), AsciiLower);
  });
}

bool EvaluateLeft(Call& call, Value* result) { return TakeSide(call, result, true); }

bool EvaluateRight(Call& call, Value* result) { return TakeSide(call, result, false); }

bool EvaluateLength(Call& call, Value* result) {
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  std::vector<double> lengths;
  lengths.reserve(texts.size());
  for (const std::string& text : texts) {
    lengths.push_back(static_cast<double>(text.size()));
  }
  *result = Value::Numbers(std::move(lengths));
  return true;
}

// 1 when any element contains any of the wanted texts.
bool EvaluateContains(Call& call, Value* result) {
  std::vector<std::string> texts;
  std::vector<std::string> wanted;
  if (!call.EvaluateTexts(0, &texts) || !call.EvaluateTexts(1, &wanted)) {
    return false;
  }
  const bool contains = std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
    return std::any_of(wanted.begin(), wanted.end(), [&](const std::string& part) {
      return text.find(part) != std::string::npos;
    });
  });
  *result = Value::Number(contains ? 1 : 0);
  return true;
}

}  // namespace quendral::platform::formula
