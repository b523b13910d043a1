#include <optional>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"

namespace quendral::platform::formula {
namespace {

template <typename Part>
bool MapCivil(Call& call, Value* result, Part part) {
  std::vector<DateTime> times;
  if (!call.EvaluateTimes(0, &times)) {
    return false;
  }
  std::vector<double> parts;
  parts.reserve(times.size());
  for (DateTime time : times) {
    parts.push_back(part(ToCivil(time)));
  }
  *result = Value::Numbers(std::move(parts));
  return true;
}

bool NoteTime(Call& call, std::optional<DateTime> time, Value* result) {
  if (!call.environment().HasNote()) {
    return call.Fail("needs a note");
  }
  if (!time) {
    return call.Fail("the note has no such time");
  }
  *result = Value::Time(*time);
  return true;
}

bool FieldAvailable(Call& call) {
  return call.environment().ReadField(call.argument(0).text).has_value();
}

}  // namespace

bool EvaluateNow(Call& call, Value* result) {
  *result = Value::Time(call.environment().Now());
  return true;
}

// Today at midnight.
bool EvaluateToday(Call& call, Value* result) {
  CivilTime today = ToCivil(call.environment().Now());
  today.hour = today.minute = today.second = 0;
  *result = Value::Time(MakeDateTime(today));
  return true;
}

bool EvaluateYear(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.year; });
}

bool EvaluateMonth(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.month; });
}

bool EvaluateDay(Call& call, Value* result) {
  return MapCivil(call, result, [](const CivilTime& civil) { return civil.day; });
}

bool EvaluateIsAvailable(Call& call, Value* result) {
  *result = Value::Number(FieldAvailable(call) ? 1 : 0);
  return true;
}

bool EvaluateIsUnavailable(Call& call, Value* result) {
  *result = Value::Number(FieldAvailable(call) ? 0 : 1);
  return true;
}

bool EvaluateUserName(Call& call, Value* result) {
  *result = Value::Text(call.environment().UserName());
  return true;
}

bool EvaluateUserRoles(Call& call, Value* result) {
  *result = Value::Texts(call.environment().UserRoles());
  return true;
}

bool EvaluateCreated(Call& call, Value* result) {
  return NoteTime(call, call.environment().Created(), result);
}

bool EvaluateModified(Call& call, Value* result) {
  return NoteTime(call, call.environment().Modified(), result);
}

bool EvaluateDocumentUniqueId(Call& call, Value* result) {
  if (!call.environment().HasNote()) {
    return call.Fail("needs a note");
  }
  *result = Value::Text(call.environment().DocumentUniqueId());
  return true;
}

}  // namespace quendral::platform::formula
