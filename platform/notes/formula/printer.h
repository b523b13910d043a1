// The canonical text of a formula tree: keywords in capitals, @functions in
// their canonical spelling, one space around binary operators but ':',
// "; " between statements and arguments, strings in double quotes, and
// parentheses only where the tree needs them. Parsing the text gives the
// same tree back.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_PRINTER_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_PRINTER_H_

#include <string>

#include "platform/notes/formula/syntax.h"

namespace quendral::platform::formula {

std::string Print(const Program& program);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_PRINTER_H_
