// Lists: membership, order, uniqueness and transformation.
#include <algorithm>
#include <random>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/operators.h"
#include "platform/notes/formula/text_unicode.h"

namespace quendral::platform::formula {
namespace {

// The value's elements one by one, each as a value of its own.
Value ElementOf(const Value& list, std::size_t index) {
  switch (list.kind) {
    case ValueKind::kNumber:
      return Value::Number(list.numbers[index]);
    case ValueKind::kDateTime:
      return Value::Time(list.datetimes[index]);
    default:
      return Value::Text(list.texts[index]);
  }
}

bool SameElement(const Value& a, std::size_t i, const Value& b, std::size_t j) {
  switch (a.kind) {
    case ValueKind::kNumber:
      return a.numbers[i] == b.numbers[j];
    case ValueKind::kDateTime:
      return a.datetimes[i] == b.datetimes[j];
    default:
      return a.texts[i] == b.texts[j];
  }
}

// Adds `more`'s elements at the end of `list`; false when they are of
// another kind or the list grows too large.
bool Append(Value* list, const Value& more, std::string* error) {
  return ApplyOperator(Operator::kList, *list, more, list, error);
}

// Keeps the elements whose index passes `keep`.
template <typename Keep>
void Filter(Value* list, Keep keep) {
  Value kept;
  kept.kind = list->kind;
  for (std::size_t i = 0; i < list->size(); ++i) {
    if (keep(i)) {
      std::string ignored;
      Append(&kept, ElementOf(*list, i), &ignored);
    }
  }
  *list = std::move(kept);
}

// The @Sort options given as keywords, with or without their brackets.
struct SortOrder {
  bool descending = false;
  bool case_insensitive = false;
  bool custom = false;
};

SortOrder ParseSortOrder(const std::vector<std::string>& options) {
  SortOrder order;
  for (const std::string& option : options) {
    const std::string word = ToUpperText(option);
    order.descending = order.descending || word.find("DESCENDING") != std::string::npos;
    order.case_insensitive =
        order.case_insensitive || word.find("CASEINSENSITIVE") != std::string::npos;
    order.custom = order.custom || word.find("CUSTOM") != std::string::npos;
  }
  return order;
}

bool Before(const Value& list, std::size_t a, std::size_t b, const SortOrder& order) {
  switch (list.kind) {
    case ValueKind::kNumber:
      return list.numbers[a] < list.numbers[b];
    case ValueKind::kDateTime:
      return list.datetimes[a] < list.datetimes[b];
    default:
      return order.case_insensitive ? ToLowerText(list.texts[a]) < ToLowerText(list.texts[b])
                                    : list.texts[a] < list.texts[b];
  }
}

// The order of the elements under a [CUSTOM] expression: $A and $B hold
// two elements, and a true result puts $A after $B. An insertion sort, as
// the expression may be no strict order.
bool CustomOrder(Call& call, const Value& list, std::vector<std::size_t>* order) {
  for (std::size_t i = 1; i < order->size(); ++i) {
    for (std::size_t j = i; j > 0; --j) {
      call.evaluator().SetVariable("$A", ElementOf(list, (*order)[j - 1]));
      call.evaluator().SetVariable("$B", ElementOf(list, (*order)[j]));
      bool swap = false;
      if (!call.EvaluateCondition(2, &swap)) {
        return false;
      }
      if (!swap) {
        break;
      }
      std::swap((*order)[j - 1], (*order)[j]);
    }
  }
  return true;
}

bool Reordered(const Value& list, const std::vector<std::size_t>& order, Value* result) {
  Value sorted;
  sorted.kind = list.kind;
  for (std::size_t index : order) {
    std::string ignored;
    Append(&sorted, ElementOf(list, index), &ignored);
  }
  *result = std::move(sorted);
  return true;
}

}  // namespace

// The 1-based place of the value in the list, 0 when absent.
bool EvaluateMember(Call& call, Value* result) {
  Value item;
  Value list;
  if (!call.Evaluate(0, &item) || !call.Evaluate(1, &list)) {
    return false;
  }
  double place = 0;
  for (std::size_t i = 0; item.size() > 0 && item.kind == list.kind && i < list.size(); ++i) {
    if (SameElement(item, 0, list, i)) {
      place = static_cast<double>(i + 1);
      break;
    }
  }
  *result = Value::Number(place);
  return true;
}

// The elements without repeats, first occurrences kept. Without an
// argument, a random text unlikely to repeat.
bool EvaluateUnique(Call& call, Value* result) {
  if (call.size() == 0) {
    static constexpr std::string_view kDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::random_device device;
    std::string unique;
    for (int i = 0; i < 12; ++i) {
      unique.push_back(kDigits[device() % kDigits.size()]);
    }
    *result = Value::Text(unique);
    return true;
  }
  if (!call.Evaluate(0, result)) {
    return false;
  }
  const Value list = *result;
  Filter(result, [&](std::size_t i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (SameElement(list, j, list, i)) {
        return false;
      }
    }
    return true;
  });
  return true;
}

// @Sort(list; options; custom expression).
bool EvaluateSort(Call& call, Value* result) {
  Value list;
  std::vector<std::string> options;
  if (!call.Evaluate(0, &list) || (call.size() > 1 && !call.EvaluateTexts(1, &options))) {
    return false;
  }
  const SortOrder order = ParseSortOrder(options);
  std::vector<std::size_t> places(list.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    places[i] = i;
  }
  if (order.custom && call.size() > 2) {
    return CustomOrder(call, list, &places) && Reordered(list, places, result);
  }
  std::stable_sort(places.begin(), places.end(), [&](std::size_t a, std::size_t b) {
    return order.descending ? Before(list, b, a, order) : Before(list, a, b, order);
  });
  return Reordered(list, places, result);
}

// Elements equal to one of `from` take the `to` of its place ("" past the
// end of `to`).
bool EvaluateReplace(Call& call, Value* result) {
  Value from;
  Value to;
  if (!call.Evaluate(0, result) || !call.Evaluate(1, &from) || !call.Evaluate(2, &to)) {
    return false;
  }
  if (from.kind != result->kind) {
    return true;
  }
  Value replaced;
  replaced.kind = result->kind;
  for (std::size_t i = 0; i < result->size(); ++i) {
    std::size_t which = 0;
    while (which < from.size() && !SameElement(*result, i, from, which)) {
      ++which;
    }
    const Value element = which == from.size() ? ElementOf(*result, i)
                          : which < to.size()  ? ElementOf(to, which)
                                               : Value::Text("");
    std::string error;
    if (!Append(&replaced, element, &error)) {
      return call.Fail(error);
    }
  }
  *result = std::move(replaced);
  return true;
}

// The keywords of the second list that occur in the first as whole words;
// words end at the given separators, or at blanks and punctuation.
bool EvaluateKeywords(Call& call, Value* result) {
  std::vector<std::string> texts;
  std::vector<std::string> keywords;
  std::string separators = " ,?!;:[](){}<>";
  if (!call.EvaluateTexts(0, &texts) || !call.EvaluateTexts(1, &keywords) ||
      (call.size() > 2 && !call.EvaluateText(2, &separators))) {
    return false;
  }
  std::vector<std::string> found;
  for (const std::string& keyword : keywords) {
    const bool occurs = std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
      for (std::size_t at = text.find(keyword); !keyword.empty() && at != std::string::npos;
           at = text.find(keyword, at + 1)) {
        const std::size_t end = at + keyword.size();
        if ((at == 0 || separators.find(text[at - 1]) != std::string::npos) &&
            (end == text.size() || separators.find(text[end]) != std::string::npos)) {
          return true;
        }
      }
      return false;
    });
    if (occurs) {
      found.push_back(keyword);
    }
  }
  *result = found.empty() ? Value::Text("") : Value::Texts(std::move(found));
  return true;
}

// @Transform(list; "variable"; formula): the formula's values for each
// element in turn, joined; @Nothing adds nothing.
bool EvaluateTransform(Call& call, Value* result) {
  Value list;
  std::string variable;
  if (!call.Evaluate(0, &list) || !call.EvaluateText(1, &variable)) {
    return false;
  }
  if (!IsValidName(variable)) {
    return call.Fail("\"" + variable + "\" is not a variable name");
  }
  Value joined = Value::Texts({});
  for (std::size_t i = 0; i < list.size(); ++i) {
    call.evaluator().SetVariable(variable, ElementOf(list, i));
    Value value;
    std::string error;
    if (!call.Evaluate(2, &value)) {
      return false;
    }
    if (!Append(&joined, value, &error)) {
      return call.Fail(error);
    }
  }
  *result = std::move(joined);
  return true;
}

bool EvaluateNothing(Call& /*call*/, Value* result) {
  *result = Value::Texts({});
  return true;
}

// Elements, a lone "" counting as one (unlike @Elements).
bool EvaluateCount(Call& call, Value* result) {
  Value value;
  if (!call.Evaluate(0, &value)) {
    return false;
  }
  *result = Value::Number(static_cast<double>(value.size()));
  return true;
}

}  // namespace quendral::platform::formula
