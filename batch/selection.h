// Which documents a whole-database command takes: those for which a
// formula, evaluated like a view's selection formula, gives a number other
// than 0.
#ifndef QUENDRAL_BATCH_SELECTION_H_
#define QUENDRAL_BATCH_SELECTION_H_

#include <cstddef>
#include <string>

#include "platform/notes/ln.h"

namespace quendral::batch {

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

  // Whether the open document is taken. A formula that fails on it leaves it
  // out, and `failure` (when given) receives why (see EvaluationFailureText).
  // What the formula assigns is dropped: the document is read afresh when
  // the formula changed it in memory.
  bool Takes(LNDocument& document, std::string* failure = nullptr) const;

 private:
  bool compiled_ = false;
  LNFormula formula_;
};

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_SELECTION_H_
