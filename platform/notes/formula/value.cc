#include "platform/notes/formula/value.h"

#include <array>
#include <charconv>
#include <utility>

namespace quendral::platform::formula {

Value Value::Text(std::string text) { return Texts({std::move(text)}); }

Value Value::Texts(std::vector<std::string> texts) {
  Value value;
  value.kind = ValueKind::kText;
  value.texts = std::move(texts);
  return value;
}

Value Value::Number(double number) { return Numbers({number}); }

Value Value::Numbers(std::vector<double> numbers) {
  Value value;
  value.kind = ValueKind::kNumber;
  value.numbers = std::move(numbers);
  return value;
}

Value Value::Time(DateTime time) { return Times({time}); }

Value Value::Times(std::vector<DateTime> times) {
  Value value;
  value.kind = ValueKind::kDateTime;
  value.datetimes = std::move(times);
  return value;
}

Value Value::Error(std::string message) {
  Value value = Text(std::move(message));
  value.kind = ValueKind::kError;
  return value;
}

std::string_view Value::ErrorMessage() const {
  return IsError() && !texts.empty() ? std::string_view(texts.front()) : std::string_view();
}

std::size_t Value::size() const {
  switch (kind) {
    case ValueKind::kText:
    case ValueKind::kError:
      return texts.size();
    case ValueKind::kNumber:
      return numbers.size();
    case ValueKind::kDateTime:
      return datetimes.size();
  }
  return 0;
}

std::string FormatNumber(double number) {
  // Long enough for the longest shortest form ("-2.2250738585072014e-308").
  std::array<char, 32> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
  if (error != std::errc()) {
    return std::string();
  }
  return std::string(buffer.data(), end);
}

std::vector<std::string> ValueAsTexts(const Value& value) {
  std::vector<std::string> texts;
  switch (value.kind) {
    case ValueKind::kText:
    case ValueKind::kError:
      return value.texts;
    case ValueKind::kNumber:
      texts.reserve(value.numbers.size());
      for (double number : value.numbers) {
        texts.push_back(FormatNumber(number));
      }
      break;
    case ValueKind::kDateTime:
      texts.reserve(value.datetimes.size());
      for (DateTime time : value.datetimes) {
        texts.push_back(FormatDateTime(time));
      }
      break;
  }
  return texts;
}

}  // namespace quendral::platform::formula
