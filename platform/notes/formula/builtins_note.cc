// The note the formula runs on: its identity, times, state and attachments.
#include <optional>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"

namespace quendral::platform::formula {
namespace {

constexpr std::string_view kNoAttachments = "needs a note";

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

bool FieldAvailable(Call& call) { return call.environment().HasField(call.argument(0).text); }

}  // namespace

bool EvaluateIsAvailable(Call& call, Value* result) {
  *result = Value::Number(FieldAvailable(call) ? 1 : 0);
  return true;
}

bool EvaluateIsUnavailable(Call& call, Value* result) {
  *result = Value::Number(FieldAvailable(call) ? 0 : 1);
  return true;
}

bool EvaluateCreated(Call& call, Value* result) {
  return NoteTime(call, call.environment().Created(), result);
}

bool EvaluateModified(Call& call, Value* result) {
  return NoteTime(call, call.environment().Modified(), result);
}

bool EvaluateAccessed(Call& call, Value* result) {
  const std::optional<DateTime> accessed = call.environment().Accessed();
  if (call.environment().HasNote() && !accessed) {
    return call.Fail("the store does not record when a note was last read");
  }
  return NoteTime(call, accessed, result);
}

bool EvaluateDocumentUniqueId(Call& call, Value* result) {
  if (!call.environment().HasNote()) {
    return call.Fail("needs a note");
  }
  *result = Value::Text(call.environment().DocumentUniqueId());
  return true;
}

// "NT" and the note ID's hex digits.
bool EvaluateNoteId(Call& call, Value* result) {
  const std::optional<std::string> id =
      call.environment().HasNote() ? call.environment().NoteId() : std::nullopt;
  if (!id) {
    return call.Fail("needs a stored note");
  }
  *result = Value::Text("NT" + *id);
  return true;
}

// A stored note is neither new nor open in an editor, being saved nor
// mailed.
bool EvaluateStoredNoteState(Call& /*call*/, Value* result) {
  *result = Value::Number(0);
  return true;
}

// A response carries the note it responds to in $REF.
bool EvaluateIsResponseDoc(Call& call, Value* result) {
  *result = Value::Number(call.environment().HasField("$REF") ? 1 : 0);
  return true;
}

// Who last saved the note, as $UpdatedBy records first, else its From.
bool EvaluateAuthor(Call& call, Value* result) {
  for (const char* field : {"$UpdatedBy", "From"}) {
    std::optional<Value> value = call.environment().ReadField(field);
    if (value && value->kind == ValueKind::kText && !value->texts.empty()) {
      *result = Value::Texts(std::move(value->texts));
      return true;
    }
  }
  *result = Value::Text("");
  return true;
}

// The note's size in bytes.
bool EvaluateDocLength(Call& call, Value* result) {
  const std::optional<double> length = call.environment().DocumentLength();
  if (!length) {
    return call.Fail("needs a stored note");
  }
  *result = Value::Number(*length);
  return true;
}

bool EvaluateAttachmentNames(Call& call, Value* result) {
  std::optional<std::vector<std::string>> names = call.environment().AttachmentNames();
  if (!names) {
    return call.Fail(kNoAttachments);
  }
  *result = names->empty() ? Value::Text("") : Value::Texts(std::move(*names));
  return true;
}

bool EvaluateAttachments(Call& call, Value* result) {
  const std::optional<std::vector<std::string>> names = call.environment().AttachmentNames();
  if (!names) {
    return call.Fail(kNoAttachments);
  }
  *result = Value::Number(static_cast<double>(names->size()));
  return true;
}

}  // namespace quendral::platform::formula
