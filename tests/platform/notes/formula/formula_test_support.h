// A scriptable environment and shorthands for compiling and running formulas
// in tests.
#ifndef QUENDRAL_TESTS_PLATFORM_NOTES_FORMULA_FORMULA_TEST_SUPPORT_H_
#define QUENDRAL_TESTS_PLATFORM_NOTES_FORMULA_FORMULA_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/notes/formula/formula.h"

namespace quendral::platform::formula {

// Readable values in test failures: kind and elements.
inline void PrintTo(const Value& value, std::ostream* out) {
  static constexpr const char* kKinds[] = {"text", "number", "date-time", "error"};
  *out << kKinds[static_cast<int>(value.kind)] << "{";
  const std::vector<std::string> texts = ValueAsTexts(value);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    *out << (i > 0 ? ", " : "") << '"' << texts[i] << '"';
  }
  *out << "}";
}

namespace fixtures {

class FakeEnvironment : public Environment {
 public:
  bool has_note = true;
  std::map<std::string, Value> fields;
  std::vector<std::pair<std::string, Value>> writes;
  std::optional<DateTime> created = MakeDateTime({2020, 1, 2, 3, 4, 5});
  std::optional<DateTime> modified = MakeDateTime({2023, 6, 7, 8, 9, 10});
  std::string unique_id = "00112233445566778899AABBCCDDEEFF";
  std::string user_name = "CN=Ada Lovelace/O=Acme";
  std::vector<std::string> user_roles = {"[Admin]", "[Editor]"};
  DateTime now = MakeDateTime({2024, 3, 15, 13, 45, 30});
  ZoneRule local_zone;

  bool HasNote() const override { return has_note; }
  std::optional<Value> ReadField(std::string_view name) const override {
    auto found = fields.find(std::string(name));
    if (!has_note || found == fields.end()) {
      return std::nullopt;
    }
    return found->second;
  }
  void WriteField(std::string_view name, const Value& value) override {
    writes.emplace_back(std::string(name), value);
    if (has_note) {
      fields[std::string(name)] = value;
    }
  }
  std::optional<DateTime> Created() const override { return created; }
  std::optional<DateTime> Modified() const override { return modified; }
  std::string DocumentUniqueId() const override { return unique_id; }
  std::string UserName() const override { return user_name; }
  std::vector<std::string> UserRoles() const override { return user_roles; }
  DateTime Now() const override { return now; }
  ZoneRule LocalZoneRule() const override { return local_zone; }
};

struct Outcome {
  bool ok = false;
  Value value;
  std::string error;  // compile or evaluation error
};

inline std::vector<std::uint8_t> CompileOrDie(std::string_view text) {
  std::vector<std::uint8_t> compiled;
  CompileError error;
  if (!Compile(text, &compiled, &error)) {
    ADD_FAILURE() << "\"" << text << "\" does not compile: " << error.message << " at "
                  << error.position;
  }
  return compiled;
}

inline Outcome RunFormula(std::string_view text, Environment& environment) {
  Outcome outcome;
  std::vector<std::uint8_t> compiled;
  CompileError compile_error;
  if (!Compile(text, &compiled, &compile_error)) {
    outcome.error = "compile: " + compile_error.message;
    return outcome;
  }
  EvaluationError error;
  outcome.ok = Evaluate(compiled.data(), compiled.size(), environment, &outcome.value, &error);
  outcome.error = error.message;
  return outcome;
}

inline Outcome RunFormula(std::string_view text) {
  FakeEnvironment environment;
  return RunFormula(text, environment);
}

inline std::string Canonical(std::string_view text) {
  std::vector<std::uint8_t> compiled = CompileOrDie(text);
  std::string decompiled;
  EXPECT_TRUE(Decompile(compiled.data(), compiled.size(), &decompiled)) << text;
  return decompiled;
}

inline Value Texts(std::vector<std::string> texts) { return Value::Texts(std::move(texts)); }
inline Value Numbers(std::vector<double> numbers) { return Value::Numbers(std::move(numbers)); }

}  // namespace fixtures
}  // namespace quendral::platform::formula

#endif  // QUENDRAL_TESTS_PLATFORM_NOTES_FORMULA_FORMULA_TEST_SUPPORT_H_
