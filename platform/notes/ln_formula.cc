#include "platform/notes/ln_formula.h"

#include "platform/notes/formula/formula.h"
#include "platform/notes/item_values.h"
#include "platform/notes/ln_internal.h"
#include "platform/notes/ln_item.h"
#include "platform/notes/ln_note.h"
#include "platform/notes/ln_report.h"
#include "platform/notes/note_environment.h"

using notes::internal::Report;

LNSTATUS LNFormula::SetText(const LNString& text) {
  text_ = text;
  compiled_.clear();
  error_position_ = 0;
  error_message_ = LNString();
  notes::formula::CompileError error;
  if (!notes::formula::Compile(text.View(), &compiled_, &error)) {
    compiled_.clear();
    error_position_ = error.position;
    error_message_ = LNString(error.message);
    return Report(notes::kErrFormulaSyntax);
  }
  return notes::kNoError;
}

LNSTATUS LNFormula::Evaluate(LNItem* result) const {
  notes::internal::NoteEnvironment environment(nullptr, notes::internal::CurrentSession());
  return Run(environment, result);
}

LNSTATUS LNFormula::Evaluate(LNItem* result, LNNote* note, std::uint16_t* /*word*/) const {
  if (note == nullptr) {
    return Report(notes::kErrInvalidArgument);
  }
  if (!note->IsOpen()) {
    return Report(notes::kErrNoteNotOpen);
  }
  notes::internal::NoteEnvironment environment(note->note_, note->note_->database->session);
  return Run(environment, result);
}

LNSTATUS LNFormula::Run(notes::internal::NoteEnvironment& environment, LNItem* result) const {
  if (result == nullptr) {
    return Report(notes::kErrInvalidArgument);
  }
  if (compiled_.empty()) {
    return Report(notes::kErrFormulaSyntax);
  }
  notes::formula::Value value;
  notes::formula::EvaluationError error;
  if (!notes::formula::Evaluate(compiled_.data(), compiled_.size(), environment, &value, &error)) {
    return Report(notes::kErrFormulaEvaluation);
  }
  if (environment.write_status() != notes::kNoError) {
    return Report(environment.write_status());
  }
  auto binding = std::make_shared<notes::internal::ItemBinding>();
  notes::STATUS status = notes::values::EncodeFormulaValue(value, &binding->type, &binding->value);
  if (status == notes::kNoError) {
    result->binding_ = std::move(binding);
  }
  return Report(status);
}
