// The @functions the language knows: canonical spelling, accepted
// arguments and evaluation.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_FUNCTIONS_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_FUNCTIONS_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/notes/formula/syntax.h"
#include "platform/notes/formula/value.h"

namespace quendral::platform::formula {

class Call;
using Builtin = bool (*)(Call& call, Value* result);

struct FunctionInfo {
  enum class Arguments : std::uint8_t {
    kCounted,    // between min and max expressions
    kOddCount,   // at least min, an odd number (@If's conditions and results)
    kFieldName,  // exactly one bare field name, not evaluated
  };

  std::string_view name;  // canonical spelling, '@' included
  int min_arguments;
  int max_arguments;
  Arguments arguments;
  Builtin evaluate;
};

std::span<const FunctionInfo> Functions();

// Index into Functions() of `name` ('@' included) in any case; -1 when the
// language does not know it.
int FindFunction(std::string_view name);

// Whether `arguments` suit `function`, so that a call can be compiled.
bool AcceptsArguments(const FunctionInfo& function, const std::vector<Node>& arguments);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_FUNCTIONS_H_
