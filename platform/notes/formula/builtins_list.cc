#include <cmath>
#include <unordered_set>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/operators.h"

namespace quendral::platform::formula {
namespace {

// Separators of @Explode when the formula names none.
constexpr std::string_view kDefaultSeparators = " ,;";

template <typename T>
std::size_t CountFound(const std::vector<T>& items, const std::vector<T>& list) {
  const std::unordered_set<T> members(list.begin(), list.end());
  std::size_t found = 0;
  for (const T& item : items) {
    found += members.count(item) > 0 ? 1 : 0;
  }
  return found;
}

std::vector<std::int64_t> Instants(const std::vector<DateTime>& times) {
  std::vector<std::int64_t> instants;
  instants.reserve(times.size());
  for (DateTime time : times) {
    instants.push_back(time.Instant());
  }
  return instants;
}

// How many of `items`' elements are in `list`; elements of another kind
// never are.
std::size_t CountMembers(const Value& items, const Value& list) {
  if (items.kind != list.kind) {
    return 0;
  }
  switch (items.kind) {
    case ValueKind::kText:
      return CountFound(items.texts, list.texts);
    case ValueKind::kNumber:
      return CountFound(items.numbers, list.numbers);
    case ValueKind::kDateTime:
      return CountFound(Instants(items.datetimes), Instants(list.datetimes));
    case ValueKind::kError:
      break;
  }
  return 0;
}

bool EvaluateBoth(Call& call, Value* first, Value* second) {
  return call.Evaluate(0, first) && call.Evaluate(1, second);
}

template <typename T>
void Keep(std::vector<T>* elements, std::size_t first, std::size_t count) {
  *elements = std::vector<T>(elements->begin() + static_cast<std::ptrdiff_t>(first),
                             elements->begin() + static_cast<std::ptrdiff_t>(first + count));
}

// Splits one text at any of `separators`, appending the pieces.
bool ExplodeText(Call& call, const std::string& text, std::string_view separators, bool keep_empty,
                 std::vector<std::string>* pieces) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find_first_of(separators, start);
    const std::size_t stop = end == std::string::npos ? text.size() : end;
    if (keep_empty || stop > start) {
      if (pieces->size() >= kMaxValueElements) {
        return call.Fail("Value too large");
      }
      pieces->push_back(text.substr(start, stop - start));
    }
    if (end == std::string::npos) {
      return true;
    }
    start = end + 1;
  }
}

}  // namespace

// A missing field's "" counts as no element at all.
bool EvaluateElements(Call& call, Value* result) {
  Value value;
  if (!call.Evaluate(0, &value)) {
    return false;
  }
  const bool only_empty_text =
      value.kind == ValueKind::kText && value.texts.size() == 1 && value.texts[0].empty();
  *result = Value::Number(only_empty_text ? 0 : static_cast<double>(value.size()));
  return true;
}

// 1 when every element of the first list is in the second.
bool EvaluateIsMember(Call& call, Value* result) {
  Value items;
  Value list;
  if (!EvaluateBoth(call, &items, &list)) {
    return false;
  }
  *result = Value::Number(CountMembers(items, list) == items.size() ? 1 : 0);
  return true;
}

// 1 when no element of the first list is in the second.
bool EvaluateIsNotMember(Call& call, Value* result) {
  Value items;
  Value list;
  if (!EvaluateBoth(call, &items, &list)) {
    return false;
  }
  *result = Value::Number(CountMembers(items, list) == 0 ? 1 : 0);
  return true;
}

bool EvaluateImplode(Call& call, Value* result) {
  std::vector<std::string> texts;
  std::vector<std::string> separator{" "};
  if (!call.EvaluateTexts(0, &texts) || (call.size() > 1 && !call.EvaluateTexts(1, &separator))) {
    return false;
  }
  const std::string joint = separator.empty() ? std::string() : separator.front();
  std::size_t bytes = texts.empty() ? 0 : joint.size() * (texts.size() - 1);
  for (const std::string& text : texts) {
    bytes += text.size();
  }
  if (!call.CheckSize(1, bytes)) {
    return false;
  }
  std::string joined;
  joined.reserve(bytes);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    joined.append(i > 0 ? joint : std::string()).append(texts[i]);
  }
  *result = Value::Text(std::move(joined));
  return true;
}

// @Explode(text; separators; keep empty pieces): each byte of the
// separator texts separates.
bool EvaluateExplode(Call& call, Value* result) {
  std::vector<std::string> texts;
  std::vector<std::string> separator_texts{std::string(kDefaultSeparators)};
  bool keep_empty = false;
  if (!call.EvaluateTexts(0, &texts) ||
      (call.size() > 1 && !call.EvaluateTexts(1, &separator_texts)) ||
      (call.size() > 2 && !call.EvaluateCondition(2, &keep_empty))) {
    return false;
  }
  std::string separators;
  for (const std::string& text : separator_texts) {
    separators += text;
  }
  std::vector<std::string> pieces;
  for (const std::string& text : texts) {
    if (!ExplodeText(call, text, separators, keep_empty, &pieces)) {
      return false;
    }
  }
  *result = Value::Texts(std::move(pieces));
  return true;
}

// @Subset(list; n): the first n elements, or the last -n.
bool EvaluateSubset(Call& call, Value* result) {
  std::vector<double> counts;
  if (!call.Evaluate(0, result) || !call.EvaluateNumbers(1, &counts)) {
    return false;
  }
  if (counts.empty() || !(std::fabs(counts.front()) >= 1)) {
    return call.Fail("the count must be at least 1 or at most -1");
  }
  const std::size_t size = result->size();
  const std::size_t count = ClampCount(std::fabs(counts.front()), size);
  const std::size_t first = counts.front() > 0 ? 0 : size - count;
  switch (result->kind) {
    case ValueKind::kText:
    case ValueKind::kError:
      Keep(&result->texts, first, count);
      break;
    case ValueKind::kNumber:
      Keep(&result->numbers, first, count);
      break;
    case ValueKind::kDateTime:
      Keep(&result->datetimes, first, count);
      break;
  }
  return true;
}

bool EvaluateSum(Call& call, Value* result) {
  double sum = 0;
  for (std::size_t i = 0; i < call.size(); ++i) {
    std::vector<double> numbers;
    if (!call.EvaluateNumbers(i, &numbers)) {
      return false;
    }
    for (double number : numbers) {
      sum += number;
    }
  }
  *result = Value::Number(sum);
  return true;
}

}  // namespace quendral::platform::formula
