// Arbitrary bytes as a compiled formula: never a crash, and whatever is
// accepted prints as text that compiles back to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/fuzz_environment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t length = quendral::platform::formula::CompiledLength(data, size);
  std::string text;
  const bool valid = quendral::platform::formula::Decompile(data, size, &text);
  if (valid != (length > 0) || length > size) {
    std::abort();
  }
  quendral::platform::formula::fuzzing::FuzzEnvironment environment;
  quendral::platform::formula::Value result;
  quendral::platform::formula::EvaluationError error;
  if (!quendral::platform::formula::Evaluate(data, size, environment, &result, &error) &&
      error.message.empty()) {
    std::abort();
  }
  if (!valid || text.size() > quendral::platform::formula::kMaxFormulaTextLength) {
    return 0;
  }
  std::vector<std::uint8_t> compiled;
  std::string again;
  if (!quendral::platform::formula::Compile(text, &compiled, nullptr) ||
      !quendral::platform::formula::Decompile(compiled.data(), compiled.size(), &again) ||
      again != text) {
    std::abort();
  }
  return 0;
}
