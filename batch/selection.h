// Which documents a whole-database command takes: those for which a
// formula, evaluated like a view's selection formula, gives a number other
// than 0.
#ifndef QUENDRAL_BATCH_SELECTION_H_
#define QUENDRAL_BATCH_SELECTION_H_

#include <cstddef>
#include <stdexcept>
#include <string>

#include "platform/notes/api/ln.h"

namespace quendral::batch {

// Thrown by Selection::Takes when the formula cannot be decided on a
// document (it needs the live platform, or fails): a run must not go on
// with a selection it cannot make. what() gives the reason.
class SelectionUndecided : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Selection {
 public:
  // Every document.
  Selection() = default;

  // Compiles `text`; false, with the compiler's message and position in
  // `error`, when it does not compile.
  struct CompileError {
    std::size_t position = 0;
    std::string message;
  };
  bool Compile(const std::string& text, CompileError* error);

  // Whether the open document is taken. A formula that cannot be evaluated
  // on it throws SelectionUndecided. What the formula assigns is dropped:
  // the document is read afresh when the formula changed it in memory.
  bool Takes(LNDocument& document) const;

 private:
  bool compiled_ = false;
  LNFormula formula_;
};

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_SELECTION_H_
