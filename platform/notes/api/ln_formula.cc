#include "platform/notes/api/ln_formula.h"

#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_internal.h"
#include "platform/notes/api/ln_item.h"
#include "platform/notes/api/ln_note.h"
#include "platform/notes/api/ln_report.h"
#include "platform/notes/api/note_environment.h"
#include "platform/notes/formula/formula.h"

using quendral::platform::internal::Report;

LNSTATUS LNFormula::SetText(const LNString& text) {
  text_ = text;
  compiled_.clear();
  error_position_ = 0;
  error_message_ = LNString();
  quendral::platform::formula::CompileError error;
  if (!quendral::platform::formula::Compile(text.View(), &compiled_, &error)) {
    compiled_.clear();
    error_position_ = error.position;
    error_message_ = LNString(error.message);
    return Report(quendral::platform::kErrFormulaSyntax);
  }
  return quendral::platform::kNoError;
}

LNSTATUS LNFormula::Evaluate(LNItem* result) const {
  quendral::platform::internal::NoteEnvironment environment(
      nullptr, quendral::platform::internal::CurrentSession());
  return Run(environment, result);
}

LNSTATUS LNFormula::Evaluate(LNItem* result, LNNote* note, std::uint16_t* /*word*/) const {
  if (note == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!note->IsOpen()) {
    return Report(quendral::platform::kErrNoteNotOpen);
  }
  quendral::platform::internal::NoteEnvironment environment(note->note_,
                                                            note->note_->database->session);
  return Run(environment, result);
}

LNSTATUS LNFormula::Run(quendral::platform::internal::NoteEnvironment& environment,
                        LNItem* result) const {
  if (result == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (compiled_.empty()) {
    return Report(quendral::platform::kErrFormulaSyntax);
  }
  quendral::platform::formula::Value value;
  quendral::platform::formula::EvaluationError error;
  if (!quendral::platform::formula::Evaluate(compiled_.data(), compiled_.size(), environment,
                                             &value, &error)) {
    error_message_ = LNString(error.message);
    std::optional<std::size_t> position;
    if (error.expression) {
      position = quendral::platform::formula::ExpressionPosition(text_.View(), *error.expression);
    }
    error_position_ = position.value_or(0);
    return Report(quendral::platform::kErrFormulaEvaluation);
  }
  if (environment.write_status() != quendral::platform::kNoError) {
    return Report(environment.write_status());
  }
  auto binding = std::make_shared<quendral::platform::internal::ItemBinding>();
  quendral::platform::STATUS status =
      quendral::platform::values::EncodeFormulaValue(value, &binding->type, &binding->value);
  if (status == quendral::platform::kNoError) {
    result->binding_ = std::move(binding);
  }
  return Report(status);
}
