// Arbitrary bytes as a compiled formula: never a crash, and whatever is
// accepted prints as text that compiles back to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/fuzz_environment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t length = notes::formula::CompiledLength(data, size);
  std::string text;
  const bool valid = notes::formula::Decompile(data, size, &text);
  if (valid != (length > 0) || length > size) {
    std::abort();
  }
  notes::formula::fuzzing::FuzzEnvironment environment;
  notes::formula::Value result;
  notes::formula::EvaluationError error;
  if (!notes::formula::Evaluate(data, size, environment, &result, &error) &&
      error.message.empty()) {
    std::abort();
  }
  if (!valid || text.size() > notes::formula::kMaxFormulaTextLength) {
    return 0;
  }
  std::vector<std::uint8_t> compiled;
  std::string again;
  if (!notes::formula::Compile(text, &compiled, nullptr) ||
      !notes::formula::Decompile(compiled.data(), compiled.size(), &again) || again != text) {
    std::abort();
  }
  return 0;
}
