#include <gtest/gtest.h>

#include "formula_test_support.h"

namespace quendral::platform::formula {
namespace {

using fixtures::Numbers;
using fixtures::RunFormula;
using fixtures::Texts;

Value ValueOf(std::string_view text) {
  const fixtures::Outcome outcome = RunFormula(text);
  EXPECT_TRUE(outcome.ok) << text << ": " << outcome.error;
  return outcome.value;
}

std::string ErrorOf(std::string_view text) {
  const fixtures::Outcome outcome = RunFormula(text);
  EXPECT_FALSE(outcome.ok) << text;
  return outcome.error;
}

TEST(Precedence, ArithmeticBindsTighterThanComparisonThanLogic) {
  EXPECT_EQ(ValueOf("1 + 2 * 3"), Value::Number(7));
  EXPECT_EQ(ValueOf("(1 + 2) * 3"), Value::Number(9));
  EXPECT_EQ(ValueOf("10 - 4 - 3"), Value::Number(3));
  EXPECT_EQ(ValueOf("12 / 3 / 2"), Value::Number(2));
  EXPECT_EQ(ValueOf("1 + 1 = 2"), Value::Number(1));
  EXPECT_EQ(ValueOf("1 = 1 & 2 = 3"), Value::Number(0));
  EXPECT_EQ(ValueOf("1 = 2 | 2 = 2"), Value::Number(1));
  // & and | share a level and group from the left.
  EXPECT_EQ(ValueOf("1 | 1 & 0"), Value::Number(0));
  EXPECT_EQ(ValueOf("0 & 0 | 1"), Value::Number(1));
}

TEST(Precedence, ListBindsTighterThanUnaryMinus) {
  EXPECT_EQ(ValueOf("-1:2"), Numbers({-1, -2}));
  EXPECT_EQ(ValueOf("1:-2:3"), Numbers({1, -2, 3}));
  EXPECT_EQ(ValueOf("2 * 1:2"), Numbers({2, 4}));
  EXPECT_EQ(ValueOf("!0:1"), Numbers({1, 0}));
  EXPECT_EQ(ValueOf("--3"), Value::Number(3));
}

TEST(ListArithmetic, PairwiseWithTheShorterListsLastElementRepeated) {
  EXPECT_EQ(ValueOf("1:2:3 + 10:20"), Numbers({11, 22, 23}));
  EXPECT_EQ(ValueOf("1:2:3 * 2"), Numbers({2, 4, 6}));
  EXPECT_EQ(ValueOf("10 - 1:2"), Numbers({9, 8}));
  EXPECT_EQ(ValueOf("\"a\":\"b\" + \"-\" + \"x\":\"y\":\"z\""), Texts({"a-x", "b-y", "b-z"}));
  EXPECT_EQ(ValueOf("@Explode(\"\") + \"x\""), Texts({}));
}

TEST(ListArithmetic, ConcatenationAcceptsEmptyListsOfAnyKind) {
  EXPECT_EQ(ValueOf("@Explode(\"\"):1"), Value::Number(1));
  EXPECT_EQ(ErrorOf("1:\"a\""), "Incorrect data type for operator ':'");
}

TEST(Comparison, TrueWhenAnyPairHolds) {
  EXPECT_EQ(ValueOf("\"a\":\"b\" = \"x\":\"b\""), Value::Number(1));
  EXPECT_EQ(ValueOf("\"a\":\"b\" = \"b\":\"a\""), Value::Number(0));
  EXPECT_EQ(ValueOf("1:2:3 = 3"), Value::Number(1));
  EXPECT_EQ(ValueOf("1:2 != 1"), Value::Number(1));
  EXPECT_EQ(ValueOf("1 < 2"), Value::Number(1));
  EXPECT_EQ(ValueOf("2 <= 2"), Value::Number(1));
  EXPECT_EQ(ValueOf("2 >= 3"), Value::Number(0));
  EXPECT_EQ(ValueOf("\"B\" < \"a\""), Value::Number(1));
  EXPECT_EQ(ValueOf("\"abc\" = \"ABC\""), Value::Number(0));
  EXPECT_EQ(ValueOf("@Created < @Modified"), Value::Number(1));
  EXPECT_EQ(ErrorOf("1 = \"1\""), "Incorrect data type for operator '='");
}

TEST(Arithmetic, DateTimesMoveBySeconds) {
  fixtures::FakeEnvironment environment;
  const fixtures::Outcome later = RunFormula("@Now + 60", environment);
  ASSERT_TRUE(later.ok) << later.error;
  EXPECT_EQ(later.value, Value::Time(DateTime{environment.now.seconds + 60}));
  EXPECT_EQ(RunFormula("@Now - @Today", environment).value,
            Value::Number(13 * 3600 + 45 * 60 + 30));
  EXPECT_EQ(RunFormula("1 + @Now - 1 = @Now", environment).value, Value::Number(1));
  EXPECT_EQ(RunFormula("@Now + 1e300", environment).error, "Date-time out of range");
}

TEST(Arithmetic, TypeErrorsAndDivisionByZeroAreErrors) {
  EXPECT_EQ(ErrorOf("1 / 0"), "Division by zero");
  EXPECT_EQ(ErrorOf("1:2 / 3:0"), "Division by zero");
  EXPECT_EQ(ErrorOf("\"a\" * 2"), "Incorrect data type for operator '*'");
  EXPECT_EQ(ErrorOf("\"a\" - \"b\""), "Incorrect data type for operator '-'");
  EXPECT_EQ(ErrorOf("-\"a\""), "Incorrect data type for operator '-'");
  EXPECT_EQ(ErrorOf("!\"a\""), "Incorrect data type for operator '!'");
  EXPECT_EQ(ErrorOf("@Now + @Now"), "Incorrect data type for operator '+'");
  EXPECT_EQ(ValueOf("\"ab\" + \"cd\""), Value::Text("abcd"));
}

TEST(Logic, ShortCircuitSkipsTheUndecidingSide) {
  EXPECT_EQ(ValueOf("0 & 1 / 0"), Value::Number(0));
  EXPECT_EQ(ValueOf("1 | \"not a number\""), Value::Number(1));
  EXPECT_EQ(ErrorOf("1 & \"text\""), "Incorrect data type for operator '&'");
  EXPECT_EQ(ErrorOf("\"text\" | 1"), "Incorrect data type for operator '|'");
}

TEST(ValueLimits, DoublingListsAndTextsStopsWithAnError) {
  std::string lists = "x := 1:2";
  std::string texts = "t := \"abcdefgh\"";
  for (int i = 0; i < 40; ++i) {
    lists += "; x := x:x";
    texts += "; t := t + t";
  }
  EXPECT_EQ(ErrorOf(lists), "Value too large");
  EXPECT_EQ(ErrorOf(texts), "Value too large");
  // A long list paired with a long text would multiply their sizes.
  EXPECT_EQ(ErrorOf("x := 1:2:3:4; x := x:x:x:x; x := x:x:x:x; x := x:x:x:x; x := x:x:x:x;"
                    "x := x:x:x:x; x := x:x:x:x; t := \"abcdefgh\"; t := t+t+t+t;"
                    "t := t+t+t+t; t := t+t+t+t; t := t+t+t+t; t := t+t+t+t; @Text(x) + t"),
            "Value too large");
}

}  // namespace
}  // namespace quendral::platform::formula
