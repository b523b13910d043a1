#include "dxl/document_environment.h"

#include <ctime>

#include "dxl/datetime_text.h"
#include "platform/notes/formula/operators.h"
#include "platform/os/local_time.h"

namespace quendral::dxl {

namespace formula = platform::formula;

namespace {

std::optional<formula::DateTime> TimeOf(const std::string& text) {
  formula::DateTime time;
  if (!ParseDateTimeText(text, &time)) {
    return std::nullopt;
  }
  return time;
}

}  // namespace

DocumentEnvironment::DocumentEnvironment(const NoteFacts& note, std::vector<ItemValue> items,
                                         std::string user)
    : items_(std::move(items)),
      user_(std::move(user)),
      unid_(note.unid),
      created_(note.created),
      modified_(note.modified) {
  // The document element carries its form as an attribute, not as an item.
  if (!note.form.empty()) {
    items_.push_back({"Form", formula::Value::Text(note.form)});
  }
}

std::optional<formula::Value> DocumentEnvironment::ReadField(std::string_view name) const {
  for (const ItemValue& item : items_) {
    if (formula::SameFieldName(item.name, name)) {
      return item.value;
    }
  }
  return std::nullopt;
}

void DocumentEnvironment::WriteField(std::string_view name, const formula::Value& value) {
  for (ItemValue& item : items_) {
    if (formula::SameFieldName(item.name, name)) {
      item.value = value;
      return;
    }
  }
  items_.push_back({std::string(name), value});
}

std::optional<formula::DateTime> DocumentEnvironment::Created() const { return TimeOf(created_); }

std::optional<formula::DateTime> DocumentEnvironment::Modified() const { return TimeOf(modified_); }

formula::DateTime DocumentEnvironment::Now() const {
  std::tm local{};
  if (!os::LocalTimeFields(std::time(nullptr), &local)) {
    return {};
  }
  return formula::MakeDateTime(formula::CivilTime{local.tm_year + 1900, local.tm_mon + 1,
                                                  local.tm_mday, local.tm_hour, local.tm_min,
                                                  local.tm_sec});
}

std::optional<bool> FormulaHides(const std::string& formula, const NoteFacts& note,
                                 const std::vector<ItemValue>& items, const std::string& user,
                                 std::string* reason) {
  std::vector<std::uint8_t> compiled;
  formula::CompileError compile_error;
  if (!formula::Compile(formula, &compiled, &compile_error)) {
    *reason = compile_error.message;
    return std::nullopt;
  }
  DocumentEnvironment environment(note, items, user);
  formula::Value result;
  formula::EvaluationError error;
  if (!formula::Evaluate(compiled.data(), compiled.size(), environment, &result, &error)) {
    *reason = error.message;
    return std::nullopt;
  }
  bool hides = false;
  return formula::IsTrue(result, &hides) && hides;
}

}  // namespace quendral::dxl
