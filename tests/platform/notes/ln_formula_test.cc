#include <gtest/gtest.h>

#include "platform/notes/notes_test_support.h"

namespace quendral::platform {
namespace {

using fixtures::Document;
using fixtures::ItemText;
using fixtures::MakeUnid;
using fixtures::OpenDocument;
using fixtures::SessionOn;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

TEST(Formula, CompileErrorKeepsPositionAndMessage) {
  LNSetThrowAllErrorsGlobal(0);
  LNFormula formula;
  EXPECT_EQ(formula.SetText("1 + (2"), kErrFormulaSyntax);
  EXPECT_GT(formula.GetErrorPosition(), 0u);
  EXPECT_FALSE(formula.GetErrorMessage().IsNull());
  LNText result;
  EXPECT_EQ(formula.Evaluate(&result), kErrFormulaSyntax);
}

TEST(Formula, EvaluatesWithoutANote) {
  LNFormula formula;
  ASSERT_EQ(formula.SetText("\"a\" : \"b\""), 0u);
  LNText result;
  ASSERT_EQ(formula.Evaluate(&result), 0u);
  EXPECT_EQ(result.GetCount(), 2u);
  ASSERT_EQ(formula.SetText("1 + 2"), 0u);
  ASSERT_EQ(formula.Evaluate(&result), 0u);
  EXPECT_EQ(result.GetType(), kTypeNumberList);
  EXPECT_EQ(LNNumbers(result)[0], 3);
}

TEST(Formula, EvaluationErrorKeepsTheEnginesReasonAndPosition) {
  LNSetThrowAllErrorsGlobal(0);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("x := 1;  x + \"a\""), 0u);
  LNText result;
  EXPECT_EQ(formula.Evaluate(&result), kErrFormulaEvaluation);
  EXPECT_EQ(formula.GetErrorMessage().GetString(), "Incorrect data type for operator '+'");
  EXPECT_EQ(formula.GetErrorPosition(), 9u);  // in the text as written
}

class NoteFormulaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures::WriteDatabase(data_.path() / "db.nsf", TIMEDATE{{1, 1}},
                            {Document(1, {TextItem("Subject", {"Hello"})})});
  }
  TemporaryDirectory data_;
};

TEST_F(NoteFormulaTest, FieldAssignmentsChangeTheNoteInMemory) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("FIELD Subject := Subject + \"!\";FIELD Count := 2;SELECT @All"), 0u);
  LNText result;
  std::uint16_t word = 4;
  ASSERT_EQ(formula.Evaluate(&result, &doc, &word), 0u);
  EXPECT_EQ(ItemText(doc, "Subject"), "Hello!");
  LNItem count;
  ASSERT_EQ(doc.GetItem("Count", &count), 0u);
  EXPECT_EQ(count.GetType(), kTypeNumberList);
  ASSERT_EQ(doc.Save(0), 0u);
  ASSERT_EQ(doc.Close(), 0u);
  ASSERT_EQ(doc.Open(0), 0u);
  EXPECT_EQ(ItemText(doc, "Subject"), "Hello!");
}

// The language ignores the case of item names: it reads the item and
// replaces it under its stored name, never beside it.
TEST_F(NoteFormulaTest, ItemNamesInAnyCase) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("FIELD subject := SUBJECT + \"!\"; subject = \"Hello!\""), 0u);
  LNText result;
  ASSERT_EQ(formula.Evaluate(&result, &doc), 0u);
  EXPECT_EQ(LNNumbers(result)[0], 1);
  std::vector<LNItem> items;
  ASSERT_EQ(doc.GetItems(&items), 0u);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].GetName().GetString(), "Subject");
  EXPECT_EQ(ItemText(doc, "Subject"), "Hello!");
}

TEST_F(NoteFormulaTest, ExistingItemKeepsItsFlagsWhenAssigned) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  ASSERT_EQ(doc.CreateItem("Readers", kTypeTimeList, nullptr, 0, 0x0448, kItemOptionReplace), 0u);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("FIELD Readers := Readers;FIELD Readers := \"CN=Anne\";SELECT @All"),
            0u);
  LNText result;
  ASSERT_EQ(formula.Evaluate(&result, &doc), 0u);
  LNItem readers;
  ASSERT_EQ(doc.GetItem("Readers", &readers), 0u);
  EXPECT_EQ(readers.GetFlags(), 0x0448);
  EXPECT_EQ(ItemText(doc, "Readers"), "CN=Anne");
}

TEST_F(NoteFormulaTest, SeesTheSessionsUserAndTheDocument) {
  SessionOn session(data_.path());
  session->SetUserName("CN=Anne/O=Acme");
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("@UserName + \"|\" + @DocumentUniqueID"), 0u);
  LNText result;
  ASSERT_EQ(formula.Evaluate(&result, &doc), 0u);
  LNString text;
  ASSERT_EQ(result.GetText(&text, ";"), 0u);
  EXPECT_EQ(text, LNString("CN=Anne/O=Acme|" + LNUniversalID::Format(MakeUnid(1)).GetString()));
}

TEST_F(NoteFormulaTest, ClosedNoteIsAnError) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  ASSERT_EQ(doc.Close(), 0u);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("1"), 0u);
  LNText result;
  EXPECT_EQ(formula.Evaluate(&result, &doc), kErrNoteNotOpen);
}

}  // namespace
}  // namespace quendral::platform
