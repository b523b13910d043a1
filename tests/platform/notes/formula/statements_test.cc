#include <gtest/gtest.h>

#include "formula_test_support.h"

namespace quendral::platform::formula {
namespace {

using fixtures::FakeEnvironment;
using fixtures::RunFormula;
using fixtures::Texts;

TEST(Fields, MissingFieldReadsAsEmptyText) {
  FakeEnvironment environment;
  EXPECT_EQ(RunFormula("Nothing", environment).value, Value::Text(""));
  EXPECT_EQ(RunFormula("Nothing = \"\"", environment).value, Value::Number(1));
  environment.has_note = false;
  environment.fields["Subject"] = Value::Text("ignored without a note");
  EXPECT_EQ(RunFormula("Subject", environment).value, Value::Text(""));
}

TEST(Fields, FieldAssignmentCreatesAndReplaces) {
  FakeEnvironment environment;
  environment.fields["Status"] = Value::Text("Open");
  const fixtures::Outcome outcome =
      RunFormula("FIELD Status := \"Closed\"; FIELD Count := 1:2; Status", environment);
  ASSERT_TRUE(outcome.ok) << outcome.error;
  EXPECT_EQ(environment.fields["Status"], Value::Text("Closed"));
  EXPECT_EQ(environment.fields["Count"], fixtures::Numbers({1, 2}));
  // The formula reads what it wrote.
  EXPECT_EQ(outcome.value, Value::Text("Closed"));
  ASSERT_EQ(environment.writes.size(), 2u);
  EXPECT_EQ(environment.writes[0].first, "Status");
}

// The formula generated to assign an item: the item's own value first, then
// the new one, as a selection formula.
TEST(Fields, GeneratedAssignmentFormulaSelectsEveryNote) {
  FakeEnvironment environment;
  environment.fields["Due"] = Value::Text("");
  const fixtures::Outcome outcome =
      RunFormula("FIELD Due := Due;FIELD Due := @Now;SELECT @ALL", environment);
  ASSERT_TRUE(outcome.ok) << outcome.error;
  EXPECT_EQ(outcome.value, Value::Number(1));
  EXPECT_EQ(environment.fields["Due"], Value::Time(environment.now));
  ASSERT_EQ(environment.writes.size(), 2u);
  EXPECT_EQ(environment.writes[0].second, Value::Text(""));
}

TEST(Fields, FieldAssignmentWithoutNoteStillEvaluates) {
  FakeEnvironment environment;
  environment.has_note = false;
  const fixtures::Outcome outcome = RunFormula("FIELD x := 1 + 1", environment);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.value, Value::Number(2));
  EXPECT_TRUE(environment.fields.empty());
}

TEST(Variables, TemporaryShadowsFieldAfterAssignment) {
  FakeEnvironment environment;
  environment.fields["Subject"] = Value::Text("field");
  const fixtures::Outcome outcome = RunFormula(
      "before := Subject; SUBJECT := \"temporary\"; before + \"/\" + subject", environment);
  ASSERT_TRUE(outcome.ok) << outcome.error;
  EXPECT_EQ(outcome.value, Value::Text("field/temporary"));
  EXPECT_TRUE(environment.writes.empty());
  EXPECT_EQ(environment.fields["Subject"], Value::Text("field"));
}

TEST(Variables, ReassignmentReplacesTheValue) {
  EXPECT_EQ(RunFormula("x := 1; x := x + 1; x := x * 10; x").value, Value::Number(20));
}

TEST(Default, AppliesOnlyToMissingFields) {
  FakeEnvironment environment;
  environment.fields["Status"] = Value::Text("Open");
  const fixtures::Outcome outcome = RunFormula(
      "DEFAULT Status := \"New\"; DEFAULT Priority := \"Low\"; Status : Priority", environment);
  ASSERT_TRUE(outcome.ok) << outcome.error;
  EXPECT_EQ(outcome.value, Texts({"Open", "Low"}));
  EXPECT_TRUE(environment.writes.empty());
  EXPECT_EQ(environment.fields.count("Priority"), 0u);
}

TEST(Default, ExistingFieldSkipsTheDefaultsEvaluation) {
  FakeEnvironment environment;
  environment.fields["Total"] = Value::Number(5);
  EXPECT_EQ(RunFormula("DEFAULT Total := 1 / 0; Total", environment).value, Value::Number(5));
}

TEST(Select, SelectionValueIsTheResultEvenWhenNotLast) {
  EXPECT_EQ(RunFormula("SELECT @All").value, Value::Number(1));
  EXPECT_EQ(RunFormula("SELECT 0; 42").value, Value::Number(0));
  EXPECT_EQ(RunFormula("SELECT 0; SELECT 7; 42").value, Value::Number(7));
  EXPECT_EQ(RunFormula("1; 2; 3").value, Value::Number(3));
}

TEST(Remarks, AreIgnoredByEvaluation) {
  EXPECT_EQ(RunFormula("1; REM \"not the value\"").value, Value::Number(1));
  EXPECT_EQ(RunFormula("REM {only a remark}").value, Value::Text(""));
  EXPECT_EQ(RunFormula("").value, Value::Text(""));
}

TEST(Errors, EvaluationStopsAtTheFirstErrorWithoutLaterWrites) {
  FakeEnvironment environment;
  const fixtures::Outcome outcome =
      RunFormula("FIELD a := 1; x := 1 / 0; FIELD b := 2", environment);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.error, "Division by zero");
  ASSERT_EQ(environment.writes.size(), 1u);
  EXPECT_EQ(environment.writes[0].first, "a");
}

TEST(Fields, ResultMayBeDiscardedWhenOnlyTheWritesMatter) {
  FakeEnvironment environment;
  const std::vector<std::uint8_t> compiled = fixtures::CompileOrDie("FIELD Seen := 1");
  ASSERT_TRUE(Evaluate(compiled.data(), compiled.size(), environment, nullptr, nullptr));
  EXPECT_EQ(environment.fields["Seen"], Value::Number(1));
}

TEST(Errors, InvalidBytesAreAnEvaluationError) {
  FakeEnvironment environment;
  const std::uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
  Value result = Value::Text("untouched");
  EvaluationError error;
  EXPECT_FALSE(Evaluate(junk, sizeof junk, environment, &result, &error));
  EXPECT_EQ(error.message, "Invalid compiled formula");
  EXPECT_EQ(result, Value::Text("untouched"));
}

TEST(Errors, UnknownFunctionsCompileButFailByName) {
  FakeEnvironment environment;
  const fixtures::Outcome outcome =
      RunFormula("@Unheard(\"\"; \"\"; \"View\"; \"Key\"; 2)", environment);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.error, "Unknown function @Unheard");
  // Only the chosen branch is evaluated.
  EXPECT_EQ(RunFormula("@If(1; 2; @Unheard)", environment).value, Value::Number(2));
}

}  // namespace
}  // namespace quendral::platform::formula
