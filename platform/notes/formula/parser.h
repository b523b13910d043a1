// Formula text to the tree of statements.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_PARSER_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_PARSER_H_

#include <string_view>

#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/syntax.h"

namespace quendral::platform::formula {

// False with the first error's position and message when `text` is not a
// formula. `text` is not checked against kMaxFormulaTextLength here.
bool Parse(std::string_view text, Program* program, CompileError* error);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_PARSER_H_
