// Compiling and decompiling a typical hide-when formula, and evaluating it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/notes/formula/formula.h"

namespace {

using quendral::platform::formula::DateTime;
using quendral::platform::formula::Value;

constexpr std::string_view kHideWhen =
    "@IsMember(\"[Admin]\"; @UserRoles) | Status = \"Closed\" & @Created < @Today";

class NoteEnvironment : public quendral::platform::formula::Environment {
 public:
  bool HasNote() const override { return true; }
  std::optional<Value> ReadField(std::string_view name) const override {
    if (name == "Status") {
      return Value::Text("Closed");
    }
    return std::nullopt;
  }
  void WriteField(std::string_view /*name*/, const Value& /*value*/) override {}
  std::optional<DateTime> Created() const override { return DateTime{1600000000}; }
  std::optional<DateTime> Modified() const override { return DateTime{1600000000}; }
  std::string DocumentUniqueId() const override { return std::string(32, '0'); }
  std::string UserName() const override { return "CN=Bench/O=Acme"; }
  std::vector<std::string> UserRoles() const override { return {"[Editor]", "[Reader]"}; }
  DateTime Now() const override { return DateTime{1700000000}; }
};

std::vector<std::uint8_t> CompileHideWhen() {
  std::vector<std::uint8_t> compiled;
  quendral::platform::formula::Compile(kHideWhen, &compiled, nullptr);
  return compiled;
}

void BM_CompileAndDecompile(benchmark::State& state) {
  std::vector<std::uint8_t> compiled;
  std::string text;
  for (auto _ : state) {
    quendral::platform::formula::Compile(kHideWhen, &compiled, nullptr);
    quendral::platform::formula::Decompile(compiled.data(), compiled.size(), &text);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_CompileAndDecompile);

void BM_Compile(benchmark::State& state) {
  std::vector<std::uint8_t> compiled;
  for (auto _ : state) {
    quendral::platform::formula::Compile(kHideWhen, &compiled, nullptr);
    benchmark::DoNotOptimize(compiled.data());
  }
}
BENCHMARK(BM_Compile);

void BM_Decompile(benchmark::State& state) {
  const std::vector<std::uint8_t> compiled = CompileHideWhen();
  std::string text;
  for (auto _ : state) {
    quendral::platform::formula::Decompile(compiled.data(), compiled.size(), &text);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_Decompile);

void BM_Evaluate(benchmark::State& state) {
  const std::vector<std::uint8_t> compiled = CompileHideWhen();
  NoteEnvironment environment;
  Value result;
  for (auto _ : state) {
    quendral::platform::formula::Evaluate(compiled.data(), compiled.size(), environment, &result,
                                          nullptr);
    benchmark::DoNotOptimize(result.numbers.data());
  }
}
BENCHMARK(BM_Evaluate);

// The hide-when most designs carry: open documents, hidden from everyone but administrators.
void BM_EvaluateTypicalHideWhen(benchmark::State& state) {
  std::vector<std::uint8_t> compiled;
  quendral::platform::formula::Compile("Status != \"Closed\" & !@IsMember(\"[Admin]\"; @UserRoles)",
                                       &compiled, nullptr);
  NoteEnvironment environment;
  Value result;
  for (auto _ : state) {
    quendral::platform::formula::Evaluate(compiled.data(), compiled.size(), environment, &result,
                                          nullptr);
    benchmark::DoNotOptimize(result.numbers.data());
  }
  state.counters["evaluations"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EvaluateTypicalHideWhen);

}  // namespace

BENCHMARK_MAIN();
