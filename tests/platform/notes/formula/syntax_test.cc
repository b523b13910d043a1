// The language's syntax, one row per form: the formula, the fields it sees
// and what it gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/notes/formula/formula_test_support.h"

namespace quendral::platform::formula {
namespace {

using fixtures::Numbers;
using fixtures::RunFormula;
using fixtures::Texts;

struct Row {
  const char* formula;
  Value expected;
};

Value Time(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return Value::Time(MakeDateTime({year, month, day, hour, minute, second}));
}

void ExpectRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    fixtures::FakeEnvironment environment;
    environment.fields["Status"] = Value::Text("Open");
    environment.fields["Names"] = Texts({"Ann", "Bob", "Cy"});
    environment.fields["Empty"] = Texts({});
    const fixtures::Outcome outcome = RunFormula(row.formula, environment);
    EXPECT_TRUE(outcome.ok) << row.formula << ": " << outcome.error;
    EXPECT_EQ(outcome.value, row.expected) << row.formula;
  }
}

TEST(Precedence, FollowsTheLanguage) {
  ExpectRows({
      {"!Status = \"Closed\"", Numbers({1})},
      {"!Status = \"Open\" | 1", Numbers({1})},
      {"!1 & 0 | 1", Numbers({1})},
      {"!!(1 = 1)", Numbers({1})},
      {"1 + 2 * 3", Numbers({7})},
      {"-1:2 * 2", Numbers({-2, -4})},
      {"1:2 + 10", Numbers({11, 12})},
      {"1 + 1 = 2 & 2 * 2 = 4", Numbers({1})},
      {"+3 - +1", Numbers({2})},
      {"1:-2", Numbers({1, -2})},
      {"6 / 2 * 3", Numbers({9})},
  });
}

TEST(PermutedOperators, PairEveryElementWithEvery) {
  ExpectRows({
      {"1:2 *+ 10:20", Numbers({11, 21, 12, 22})},
      {"\"a\":\"b\" *+ \"1\":\"2\"", Texts({"a1", "a2", "b1", "b2"})},
      {"10:20 *- 1:2", Numbers({9, 8, 19, 18})},
      {"1:2 ** 3:4", Numbers({3, 4, 6, 8})},
      {"8:4 */ 2:4", Numbers({4, 2, 2, 1})},
      {"\"x\":\"y\" *= \"z\":\"y\"", Numbers({1})},
      {"\"x\":\"y\" = \"y\":\"x\"", Numbers({0})},
      {"1:2 *!= 1:2", Numbers({1})},
      {"1 *<> 1", Numbers({0})},
      {"1:5 *< 2", Numbers({1})},
      {"1:5 *> 4", Numbers({1})},
      {"1:5 *<= 0", Numbers({0})},
      {"1:5 *>= 5", Numbers({1})},
      {"2*-1", Numbers({1})},
      {"2 * -1", Numbers({-2})},
  });
}

TEST(NotEqualSpellings, AllMeanTheSame) {
  ExpectRows({
      {"1 != 2", Numbers({1})},
      {"1 <> 2", Numbers({1})},
      {"1 =! 1", Numbers({0})},
      {"1 >< 2", Numbers({1})},
  });
}

TEST(Subscripts, PickOneElement) {
  ExpectRows({
      {"Names[2]", Texts({"Bob"})},
      {"Names[1 + 2]", Texts({"Cy"})},
      {"(10:20:30)[3]", Numbers({30})},
      {"x := 5:6; x[2]", Numbers({6})},
      {"Names[2.9]", Texts({"Bob"})},
      {"\"a\":Names[1]", Texts({"a", "Ann"})},
  });
}

TEST(BracketConstants, DatesTimesAndKeywords) {
  ExpectRows({
      {"[12/24/2026 10:00]", Time(2026, 12, 24, 10)},
      {"[12/24/2026]", Time(2026, 12, 24)},
      {"[1/2/26 10:00:30 PM]", Time(2026, 1, 2, 22, 0, 30)},
      {"[12/24/1999 12:00 AM]", Time(1999, 12, 24)},
      {"[17:00]", Time(2024, 3, 15, 17)},  // the day the formula runs
      {"[12/24/2026] - [12/23/2026]", Numbers({86400})},
      {"[cn]", Texts({"CN"})},
  });
}

TEST(Assignments, NestAndFollowTheirRules) {
  ExpectRows({
      {"x := 1; x := x + 1; x", Numbers({2})},
      {"a := b := 3; a + b", Numbers({6})},
      {"@If(1; x := \"yes\"; x := \"no\"); x", Texts({"yes"})},
      {"X := 1; x", Numbers({1})},
      {"status := \"temp\"; Status", Texts({"temp"})},
      {"FIELD New := 4; New * 2", Numbers({8})},
      {"@If(1; FIELD New := 5; 0); New", Numbers({5})},
      {"DEFAULT Status := \"x\"; DEFAULT Gone := \"y\"; Status + Gone", Texts({"Openy"})},
      {"1 + (y := 2) + y", Numbers({5})},
  });
}

TEST(Statements, AnyMixSeparatedBySemicolons) {
  ExpectRows({
      {"REM \"a remark\"; 1", Numbers({1})},
      {"REM {a remark}; 2", Numbers({2})},
      {"REM; 3", Numbers({3})},
      {"4; REM", Numbers({4})},
      {";; 5 ;; ;", Numbers({5})},
      {"SELECT 1; 2", Numbers({1})},
      {"x := 1; SELECT x = 1; REM \"done\"", Numbers({1})},
      {"", Texts({""})},
  });
}

TEST(MissingItems, ReadAsEmptyText) {
  ExpectRows({
      {"Nowhere", Texts({""})},
      {"Empty", Texts({""})},
      {"Empty = \"\"", Numbers({1})},
      {"Nowhere + \"x\"", Texts({"x"})},
  });
}

TEST(SyntaxErrors, SayWhatAndWhere) {
  struct Failure {
    const char* formula;
    std::size_t position;
    const char* message;
  };
  const Failure failures[] = {
      {"Names[1", 7, "Expected ']'"},
      {"[12/32/2026]", 0, "Invalid date-time constant or keyword [12/32/2026]"},
      {"[13/01/2026]", 0, "Invalid date-time constant or keyword [13/01/2026]"},
      {"[25:00]", 0, "Invalid date-time constant or keyword [25:00]"},
      {"1 + [x", 4, "Expected ']'"},
      {"REM 1", 4, "Expected a string after REM"},
      {"@If(1; FIELD := 2; 3)", 13, "Expected a field name after FIELD"},
  };
  for (const Failure& failure : failures) {
    std::vector<std::uint8_t> compiled;
    CompileError error;
    EXPECT_FALSE(Compile(failure.formula, &compiled, &error)) << failure.formula;
    EXPECT_EQ(error.position, failure.position) << failure.formula;
    EXPECT_EQ(error.message, failure.message) << failure.formula;
  }
}

TEST(EvaluationErrors, NameTheFailingExpression) {
  struct Failure {
    const char* formula;
    std::size_t position;  // in the canonical text
    const char* message;
  };
  const Failure failures[] = {
      {"1 + \"a\"", 0, "Incorrect data type for operator '+'"},
      {"x := 1; x + Names[4]", 12, "Subscript out of range: 4 of a list of 3"},
      {"1; @If(1; 2 / 0; 3)", 10, "Division by zero"},
      {"Names[\"a\"]", 0, "A subscript must be a number"},
  };
  for (const Failure& failure : failures) {
    fixtures::FakeEnvironment environment;
    environment.fields["Names"] = Texts({"Ann", "Bob", "Cy"});
    std::vector<std::uint8_t> compiled = fixtures::CompileOrDie(failure.formula);
    EvaluationError error;
    Value result;
    EXPECT_FALSE(Evaluate(compiled.data(), compiled.size(), environment, &result, &error));
    EXPECT_EQ(error.message, failure.message) << failure.formula;
    EXPECT_EQ(error.position, failure.position) << failure.formula;
    ASSERT_TRUE(error.expression.has_value()) << failure.formula;
    EXPECT_EQ(ExpressionPosition(failure.formula, *error.expression), failure.position)
        << failure.formula;
  }
}

// Compiling the canonical text of a compiled formula gives the same bytes.
TEST(CompiledForm, PrintsBackToTheSameCode) {
  const char* formulas[] = {
      "a *= b *!= c",
      "1:2 *+ 3 *- 4 ** 5 */ 6",
      "Names[2]:(a:b)[c + 1]:@Explode(x)[1]",
      "[12/24/2026 10:00] < [10:00 pm] & [1/2/03] > [cn]",
      "x := y := FIELD z := 1",
      "@If(c; x := 1; FIELD f := 2)",
      "(x := 1)",
      "(FIELD q := 2); SELECT r := 3",
      "!a = b & !!c | (!d) = e & -(!f) + 1:!g",
      "REM; REM \"x\"; REM {y}; +1 - +a",
      "-(a)[1]",
      "1 + (a := 2)",
  };
  for (const char* formula : formulas) {
    const std::vector<std::uint8_t> first = fixtures::CompileOrDie(formula);
    std::string text;
    ASSERT_TRUE(Decompile(first.data(), first.size(), &text)) << formula;
    std::vector<std::uint8_t> second = fixtures::CompileOrDie(text);
    EXPECT_EQ(first, second) << formula << " printed as " << text;
  }
}

}  // namespace
}  // namespace quendral::platform::formula
