#include <gtest/gtest.h>

#include "formula_test_support.h"

namespace quendral::platform::formula {
namespace {

using fixtures::FakeEnvironment;
using fixtures::Numbers;
using fixtures::Texts;

class Functions : public ::testing::Test {
 protected:
  Value ValueOf(std::string_view text) {
    const fixtures::Outcome outcome = fixtures::RunFormula(text, environment_);
    EXPECT_TRUE(outcome.ok) << text << ": " << outcome.error;
    return outcome.value;
  }
  std::string ErrorOf(std::string_view text) {
    const fixtures::Outcome outcome = fixtures::RunFormula(text, environment_);
    EXPECT_FALSE(outcome.ok) << text;
    return outcome.error;
  }

  FakeEnvironment environment_;
};

TEST_F(Functions, Constants) {
  EXPECT_EQ(ValueOf("@All"), Value::Number(1));
  EXPECT_EQ(ValueOf("@True"), Value::Number(1));
  EXPECT_EQ(ValueOf("@False"), Value::Number(0));
}

TEST_F(Functions, ClockAndCalendar) {
  EXPECT_EQ(ValueOf("@Now"), Value::Time(environment_.now));
  EXPECT_EQ(ValueOf("@Today"), Value::Time(MakeDateTime({2024, 3, 15, 0, 0, 0})));
  EXPECT_EQ(ValueOf("@Year(@Now):@Month(@Now):@Day(@Now)"), Numbers({2024, 3, 15}));
  EXPECT_EQ(ValueOf("@Year(@Created:@Modified)"), Numbers({2020, 2023}));
  EXPECT_EQ(ErrorOf("@Year(\"2024\")"), "@Year: argument 1 must be a date-time");
}

TEST_F(Functions, IfChoosesTheFirstTrueCondition) {
  EXPECT_EQ(ValueOf("@If(0; \"a\"; 1; \"b\"; \"c\")"), Value::Text("b"));
  EXPECT_EQ(ValueOf("@If(0; \"a\"; 0; \"b\"; \"c\")"), Value::Text("c"));
  EXPECT_EQ(ValueOf("@If(0:1; \"any\"; \"none\")"), Value::Text("any"));
  EXPECT_EQ(ErrorOf("@If(\"yes\"; 1; 2)"), "@If: argument 1 must be a number");
}

TEST_F(Functions, TextConversions) {
  EXPECT_EQ(ValueOf("@Text(1.5:2)"), Texts({"1.5", "2"}));
  EXPECT_EQ(ValueOf("@Text(@Created)"), Value::Text("2020-01-02T03:04:05"));
  EXPECT_EQ(ValueOf("@TextToNumber(\" 12 \":\"-0.5\":\"1e3\")"), Numbers({12, -0.5, 1000}));
  EXPECT_EQ(ValueOf("@TextToNumber(7)"), Value::Number(7));
  EXPECT_EQ(ValueOf("@TextToNumber(\"12abc\")"), Value::Number(12));
  EXPECT_EQ(ErrorOf("@TextToNumber(\"abc\")"), "@TextToNumber: \"abc\" is not a number");
  EXPECT_EQ(ErrorOf("@TextToNumber(\"\")"), "@TextToNumber: \"\" is not a number");
  EXPECT_EQ(ErrorOf("@TextToNumber(\"inf\")"), "@TextToNumber: \"inf\" is not a number");
}

TEST_F(Functions, TrimAndCase) {
  EXPECT_EQ(ValueOf("@Trim(\"  a   b  \")"), Value::Text("a b"));
  EXPECT_EQ(ValueOf("@Trim(\" x \":\"   \":\"y\")"), Texts({"x", "y"}));
  EXPECT_EQ(ValueOf("@Trim(\"   \")"), Value::Text(""));
  EXPECT_EQ(ValueOf("@UpperCase(\"abc\xE9\":\"Q\")"), Texts({"ABC\xE9", "Q"}));
  EXPECT_EQ(ValueOf("@LowerCase(\"MiXeD\")"), Value::Text("mixed"));
  EXPECT_EQ(ErrorOf("@Trim(1)"), "@Trim: argument 1 must be text");
}

TEST_F(Functions, LeftAndRightByCount) {
  EXPECT_EQ(ValueOf("@Left(\"abcdef\"; 2)"), Value::Text("ab"));
  EXPECT_EQ(ValueOf("@Right(\"abcdef\"; 2)"), Value::Text("ef"));
  EXPECT_EQ(ValueOf("@Left(\"abc\":\"xy\"; 99)"), Texts({"abc", "xy"}));
  EXPECT_EQ(ValueOf("@Left(\"abc\"; -5)"), Value::Text("abc"));
  EXPECT_EQ(ValueOf("@Right(\"abc\"; -1e300)"), Value::Text("abc"));
  EXPECT_EQ(ValueOf("@Left(\"abc\"; 1e300)"), Value::Text("abc"));
  EXPECT_EQ(ValueOf("@Left(\"abc\"; 1.9)"), Value::Text("a"));
}

TEST_F(Functions, LeftAndRightByText) {
  EXPECT_EQ(ValueOf("@Left(\"key=value=x\"; \"=\")"), Value::Text("key"));
  EXPECT_EQ(ValueOf("@Right(\"key=value=x\"; \"=\")"), Value::Text("value=x"));
  EXPECT_EQ(ValueOf("@Left(\"abc\"; \"z\")"), Value::Text(""));
  EXPECT_EQ(ErrorOf("@Left(\"abc\"; @Now)"), "@Left: argument 2 must be a number or text");
}

TEST_F(Functions, LengthElementsContains) {
  EXPECT_EQ(ValueOf("@Length(\"abc\":\"\")"), Numbers({3, 0}));
  EXPECT_EQ(ValueOf("@Elements(\"a\":\"b\":\"c\")"), Value::Number(3));
  EXPECT_EQ(ValueOf("@Elements(Missing)"), Value::Number(0));
  EXPECT_EQ(ValueOf("@Elements(@Explode(\"\"))"), Value::Number(0));
  EXPECT_EQ(ValueOf("@Elements(0)"), Value::Number(1));
  EXPECT_EQ(ValueOf("@Contains(\"one\":\"two\"; \"x\":\"wo\")"), Value::Number(1));
  EXPECT_EQ(ValueOf("@Contains(\"one\"; \"ONE\")"), Value::Number(0));
}

TEST_F(Functions, Membership) {
  EXPECT_EQ(ValueOf("@IsMember(\"[Admin]\"; @UserRoles)"), Value::Number(1));
  EXPECT_EQ(ValueOf("@IsMember(\"[Admin]\":\"[Reader]\"; @UserRoles)"), Value::Number(0));
  EXPECT_EQ(ValueOf("@IsNotMember(\"[Reader]\"; @UserRoles)"), Value::Number(1));
  EXPECT_EQ(ValueOf("@IsNotMember(\"[Reader]\":\"[Editor]\"; @UserRoles)"), Value::Number(0));
  EXPECT_EQ(ValueOf("@IsMember(2; 1:2:3)"), Value::Number(1));
  EXPECT_EQ(ValueOf("@IsMember(\"2\"; 1:2:3)"), Value::Number(0));
  EXPECT_EQ(ValueOf("@IsMember(@Created; @Modified:@Created)"), Value::Number(1));
}

TEST_F(Functions, Availability) {
  environment_.fields["Status"] = Value::Text("");
  EXPECT_EQ(ValueOf("@IsAvailable(Status)"), Value::Number(1));
  EXPECT_EQ(ValueOf("@IsAvailable(Missing)"), Value::Number(0));
  EXPECT_EQ(ValueOf("@IsUnavailable(Missing)"), Value::Number(1));
  // A temporary variable is not a field.
  EXPECT_EQ(ValueOf("Missing := 1; @IsAvailable(Missing)"), Value::Number(0));
}

TEST_F(Functions, User) {
  EXPECT_EQ(ValueOf("@UserName"), Value::Text("CN=Ada Lovelace/O=Acme"));
  EXPECT_EQ(ValueOf("@UserRoles"), Texts({"[Admin]", "[Editor]"}));
  environment_.user_roles.clear();
  EXPECT_EQ(ValueOf("@IsMember(\"[Admin]\"; @UserRoles)"), Value::Number(0));
}

TEST_F(Functions, ImplodeAndExplode) {
  EXPECT_EQ(ValueOf("@Implode(\"a\":\"b\":\"c\")"), Value::Text("a b c"));
  EXPECT_EQ(ValueOf("@Implode(\"a\":\"b\"; \", \")"), Value::Text("a, b"));
  EXPECT_EQ(ValueOf("@Implode(@Explode(\"\"); \"-\")"), Value::Text(""));
  EXPECT_EQ(ValueOf("@Explode(\"a, b;c  d\")"), Texts({"a", "b", "c", "d"}));
  EXPECT_EQ(ValueOf("@Explode(\"a//b\"; \"/\")"), Texts({"a", "b"}));
  EXPECT_EQ(ValueOf("@Explode(\"a//b\"; \"/\"; 1)"), Texts({"a", "", "b"}));
  EXPECT_EQ(ValueOf("@Explode(\"a-b\":\"c\"; \"-\")"), Texts({"a", "b", "c"}));
  EXPECT_EQ(ValueOf("@Explode(\"\")"), Texts({}));
}

TEST_F(Functions, ExplodeOfAHugeTextIsBounded) {
  EXPECT_EQ(ErrorOf("t := \"a,b,\"; t := t+t+t+t; t := t+t+t+t; t := t+t+t+t; t := t+t+t+t;"
                    "t := t+t+t+t; t := t+t+t+t; t := t+t+t+t; t := t+t+t+t; @Explode(t; \",\")"),
            "@Explode: Value too large");
}

TEST_F(Functions, Subset) {
  EXPECT_EQ(ValueOf("@Subset(1:2:3; 2)"), Numbers({1, 2}));
  EXPECT_EQ(ValueOf("@Subset(1:2:3; -1)"), Value::Number(3));
  EXPECT_EQ(ValueOf("@Subset(\"a\":\"b\"; 1e308)"), Texts({"a", "b"}));
  EXPECT_EQ(ValueOf("@Subset(\"a\":\"b\"; -1e308)"), Texts({"a", "b"}));
  EXPECT_EQ(ValueOf("@Subset(@Created:@Modified; -1)"), Value::Time(*environment_.modified));
  EXPECT_EQ(ValueOf("@Subset(@Explode(\"\"); 3)"), Texts({}));
  EXPECT_EQ(ErrorOf("@Subset(1:2; 0)"), "@Subset: the count must be at least 1 or at most -1");
  EXPECT_EQ(ErrorOf("@Subset(1:2; 0.5)"), "@Subset: the count must be at least 1 or at most -1");
  EXPECT_EQ(ErrorOf("@Subset(1:2; \"1\")"), "@Subset: argument 2 must be a number");
}

TEST_F(Functions, Sum) {
  EXPECT_EQ(ValueOf("@Sum(1:2:3; 4; -10)"), Value::Number(0));
  EXPECT_EQ(ErrorOf("@Sum(1; \"2\")"), "@Sum: argument 2 must be a number");
}

TEST_F(Functions, NoteProperties) {
  EXPECT_EQ(ValueOf("@Created"), Value::Time(*environment_.created));
  EXPECT_EQ(ValueOf("@Modified"), Value::Time(*environment_.modified));
  EXPECT_EQ(ValueOf("@DocumentUniqueID"), Value::Text("00112233445566778899AABBCCDDEEFF"));
  environment_.created.reset();
  EXPECT_EQ(ErrorOf("@Created"), "@Created: the note has no such time");
  environment_.has_note = false;
  EXPECT_EQ(ErrorOf("@Modified"), "@Modified: needs a note");
  EXPECT_EQ(ErrorOf("@DocumentUniqueID"), "@DocumentUniqueID: needs a note");
  EXPECT_EQ(ValueOf("@Now"), Value::Time(environment_.now));
}

}  // namespace
}  // namespace quendral::platform::formula
