// Formula text: whatever compiles decompiles to a canonical text that
// compiles again to the same code, and evaluates without harm; a failed
// evaluation names an expression of that text.
//
// Run with the language's tokens and a few real formulas as seeds:
//   formula_fuzz -dict=fuzz/platform/notes/formula/formula.dict
//                fuzz/platform/notes/formula/formula_seeds
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/fuzz_environment.h"

using quendral::platform::formula::CompileError;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::uint8_t> compiled;
  CompileError error;
  if (!quendral::platform::formula::Compile(text, &compiled, &error)) {
    if (error.message.empty() || error.position > size) {
      std::abort();
    }
    return 0;
  }
  std::string once;
  if (!quendral::platform::formula::Decompile(compiled.data(), compiled.size(), &once)) {
    std::abort();
  }
  std::vector<std::uint8_t> again;
  // Canonical spacing can make a text near the length limit longer than it.
  if (!quendral::platform::formula::Compile(once, &again, &error)) {
    if (once.size() <= quendral::platform::formula::kMaxFormulaTextLength) {
      std::abort();
    }
    return 0;
  }
  std::string twice;
  if (again != compiled ||
      !quendral::platform::formula::Decompile(again.data(), again.size(), &twice) ||
      twice != once) {
    std::abort();
  }
  quendral::platform::formula::fuzzing::FuzzEnvironment environment;
  quendral::platform::formula::Value result;
  quendral::platform::formula::EvaluationError failure;
  if (!quendral::platform::formula::Evaluate(compiled.data(), compiled.size(), environment, &result,
                                             &failure) &&
      failure.expression &&
      quendral::platform::formula::ExpressionPosition(once, *failure.expression) !=
          failure.position) {
    std::abort();
  }
  return 0;
}
