// LNFormula: a formula compiled from text and evaluated, alone or against a
// note. Evaluated against a note, fields read the note's items and FIELD
// assignments change them in memory (a missing item is created with the
// value's type); @UserName is the user of the session the note's database
// was reached through.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_FORMULA_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_FORMULA_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/notes/api/ln_string.h"
#include "platform/notes/vocabulary/status.h"

class LNItem;
class LNNote;

namespace quendral::platform::internal {
class NoteEnvironment;
}

class LNFormula {
 public:
  LNFormula() = default;

  // Compiles `text`; kErrFormulaSyntax when it does not compile, and then
  // GetErrorPosition/GetErrorMessage tell why.
  LNSTATUS SetText(const LNString& text);
  const LNString& GetText() const { return text_; }
  std::size_t GetErrorPosition() const { return error_position_; }
  const LNString& GetErrorMessage() const { return error_message_; }
  const std::vector<std::uint8_t>& GetCompiled() const { return compiled_; }

  // `result` receives the formula's value as a stand-alone list item (text,
  // number or date-time). kErrFormulaSyntax when nothing was compiled,
  // kErrFormulaEvaluation when the evaluation fails, and then
  // GetErrorPosition/GetErrorMessage tell why: the engine's reason and where
  // the failing expression begins in the text.
  LNSTATUS Evaluate(LNItem* result) const;
  // Against the open `note`. `word` is accepted for compatibility and left
  // as it is.
  LNSTATUS Evaluate(LNItem* result, LNNote* note, std::uint16_t* word = nullptr) const;

 private:
  LNSTATUS Run(quendral::platform::internal::NoteEnvironment& environment, LNItem* result) const;

  LNString text_;
  std::vector<std::uint8_t> compiled_;
  // Set by the last SetText or failed evaluation.
  mutable std::size_t error_position_ = 0;
  mutable LNString error_message_;
};

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_FORMULA_H_
