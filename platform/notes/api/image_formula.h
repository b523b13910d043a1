// Evaluating a formula against a note read as item images (see
// DocumentImages) instead of an open note, for readers that go
// through many notes and evaluate formulas on few of their items. The
// formula sees what it would see on the open note: the items as fields, the
// current session's user, the local clock.
#ifndef QUENDRAL_PLATFORM_NOTES_API_IMAGE_FORMULA_H_
#define QUENDRAL_PLATFORM_NOTES_API_IMAGE_FORMULA_H_

#include <memory>
#include <optional>
#include <vector>

#include "platform/notes/api/ln_database.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/value.h"
#include "platform/notes/images/note_images.h"
#include "platform/notes/vocabulary/status.h"

namespace quendral::platform {

namespace store {
class Store;
}

// The database notes are read from, for what formulas ask of it (the user's
// access and roles, profile documents). Its access list is read once, at
// the first formula that asks: a reader keeps one for all the notes it
// reads in one go.
class ImageDatabase {
 public:
  // Reads `database`, which it keeps open while it is kept (a handle, as
  // the database's copies are); a database that was not open tells nothing.
  explicit ImageDatabase(const LNDatabase& database);

  // Null when the database was not open.
  store::Store* store() const;
  // Nothing when the list cannot be read.
  std::optional<formula::AccessEntry> UserAccess() const;

 private:
  std::shared_ptr<internal::DatabaseBinding> binding_;
  mutable std::optional<std::optional<std::vector<formula::AccessEntry>>> access_list_;
};

// Evaluates the formula; what it assigns is written to `items`, as to an
// open note that is not saved. kErrFormulaEvaluation when it fails.
// `used_note` (when given) tells whether the evaluation asked anything of
// the note or the clock; when it did not, the formula gives the same result
// (or fails alike) on every note of the session, as nothing else it can see
// changes from one to the next. `error` (when given) receives why the
// evaluation failed. `database` (when given) is the database the note was
// read from.
STATUS EvaluateOnImage(const formula::DecodedFormula& formula, const store::NoteHeader& header,
                       std::vector<store::ItemImage>* items, formula::Value* result,
                       bool* used_note = nullptr, formula::EvaluationError* error = nullptr,
                       const ImageDatabase* database = nullptr);

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_API_IMAGE_FORMULA_H_
