// Setting an item of a note by a generated FIELD formula.
#include "notes/item_assignment.h"

#include <gtest/gtest.h>

#include "notes/formula_evaluation.h"
#include "notes/note_fixture.h"
#include "platform/notes/api/item_values.h"

namespace quendral {
namespace {

using note_testing::NoteFixture;

TEST(ItemTypeWordTable, EachWordGivesItsTypeAndFlags) {
  EXPECT_EQ(ItemTypeWord("TEXT").type, 0x0501);
  EXPECT_EQ(ItemTypeWord("TEXT").flags, 0x0008);
  EXPECT_EQ(ItemTypeWord("NUMBER").type, 0x0301);
  EXPECT_EQ(ItemTypeWord("NUMBER").flags, 0x0008);
  EXPECT_EQ(ItemTypeWord("DATETIME").type, 0x0401);
  EXPECT_EQ(ItemTypeWord("DATETIME").flags, 0x0008);
  EXPECT_EQ(ItemTypeWord("READERS").type, 0x0501);
  EXPECT_EQ(ItemTypeWord("READERS").flags, 0x0448);
  EXPECT_EQ(ItemTypeWord("AUTHORS").type, 0x0501);
  EXPECT_EQ(ItemTypeWord("AUTHORS").flags, 0x0068);
}

TEST(ItemTypeWordTable, AnyOtherWordIsADateTimeList) {
  for (const char* word : {"text", "Number", "TEXT ", "", "READER", "DATE"}) {
    EXPECT_EQ(ItemTypeWord(word).type, 0x0401) << word;
    EXPECT_EQ(ItemTypeWord(word).flags, 0x0008) << word;
  }
  EXPECT_EQ(ItemTypeWord(nullptr).type, 0x0401);
}

class AssignItemByFormulaTest : public NoteFixture {
 protected:
  std::uint32_t StoredSequence() const { return StoredNote().sequence; }
};

TEST_F(AssignItemByFormulaTest, ChangedTextIsSavedOnce) {
  const std::uint32_t before = StoredSequence();
  EXPECT_EQ(AssignItemByFormula(document_, "Subject", "TEXT", "\"World\""), 1);
  EXPECT_EQ(StoredSequence(), before + 1);
  EXPECT_EQ(StoredItem("Subject").type, platform::kTypeTextList);
  EXPECT_EQ(ItemText("Subject"), "World");
}

TEST_F(AssignItemByFormulaTest, SameTextIsNotSaved) {
  const std::uint32_t before = StoredSequence();
  EXPECT_EQ(AssignItemByFormula(document_, "Subject", "TEXT", "\"Hello\""), 0);
  EXPECT_EQ(AssignItemByFormula(document_, "Names", "TEXT", "\"a\" : \"b\""), 0);
  EXPECT_EQ(StoredSequence(), before);
}

TEST_F(AssignItemByFormulaTest, ChangeOfTypeAloneIsNotSaved) {
  // Numbers 1 and 2 and the texts "1" and "2" join to the same text.
  EXPECT_EQ(AssignItemByFormula(document_, "Count", "NUMBER", "\"1\" : \"2\""), 0);
  EXPECT_EQ(StoredItem("Count").type, platform::kTypeNumberList);
}

TEST_F(AssignItemByFormulaTest, ExistingItemKeepsItsTypeWhateverTheWord) {
  const std::uint32_t before = StoredSequence();
  EXPECT_EQ(AssignItemByFormula(document_, "Subject", "NUMBER", "\"Changed\""), 1);
  EXPECT_EQ(StoredSequence(), before + 1) << "nothing created, so one save";
  EXPECT_EQ(StoredItem("Subject").type, platform::kTypeTextList);
  EXPECT_EQ(ItemText("Subject"), "Changed");
}

TEST_F(AssignItemByFormulaTest, FormulaAloneDecidesTheNewValue) {
  EXPECT_EQ(AssignItemByFormula(document_, "Subject", "TEXT", "Count * 10"), 1);
  EXPECT_EQ(StoredItem("Subject").type, platform::kTypeNumberList);
  EXPECT_EQ(ItemText("Subject"), "10;20");
}

TEST_F(AssignItemByFormulaTest, MissingItemIsCreatedAndSavedBeforeTheFormula) {
  const std::uint32_t before = StoredSequence();
  EXPECT_EQ(AssignItemByFormula(document_, "Status", "TEXT", "\"Open\""), 1);
  EXPECT_EQ(StoredSequence(), before + 2) << "saved once empty, once with its value";
  EXPECT_EQ(StoredItem("Status").flags, 0x0008);
  EXPECT_EQ(ItemText("Status"), "Open");
}

// A value formula that does not compile stops the assignment after the
// empty item was created and stored, which shows how it was created.
struct CreatedKind {
  const char* word;
  std::uint16_t type;
  std::uint16_t flags;
};

class CreatedItemTest : public AssignItemByFormulaTest,
                        public ::testing::WithParamInterface<CreatedKind> {};

TEST_P(CreatedItemTest, EmptyItemOfTheWordsKindIsStoredAndKept) {
  const CreatedKind kind = GetParam();
  try {
    AssignItemByFormula(document_, "Fresh", kind.word, "1 +");
    ADD_FAILURE() << "no status thrown";
  } catch (LNSTATUS status) {
    EXPECT_EQ(status, platform::kErrFormulaSyntax);
  }
  const platform::store::ItemImage stored = StoredItem("Fresh");
  EXPECT_EQ(stored.type, kind.type);
  EXPECT_EQ(stored.flags, kind.flags);
  EXPECT_TRUE(stored.value.empty());
}

INSTANTIATE_TEST_SUITE_P(TypeWords, CreatedItemTest,
                         ::testing::Values(CreatedKind{"DATETIME", 0x0401, 0x0008},
                                           CreatedKind{"NUMBER", 0x0301, 0x0008},
                                           CreatedKind{"TEXT", 0x0501, 0x0008},
                                           CreatedKind{"READERS", 0x0501, 0x0448},
                                           CreatedKind{"AUTHORS", 0x0501, 0x0068},
                                           CreatedKind{"number", 0x0401, 0x0008},
                                           CreatedKind{"Whatever", 0x0401, 0x0008}));

TEST_F(AssignItemByFormulaTest, ReadersItemKeepsItsFlagsThroughTheAssignment) {
  EXPECT_EQ(AssignItemByFormula(document_, "Readers", "READERS", "\"CN=Ann/O=Acme\""), 1);
  const platform::store::ItemImage stored = StoredItem("Readers");
  EXPECT_EQ(stored.flags, 0x0448);
  EXPECT_EQ(stored.type, platform::kTypeTextList);
  EXPECT_EQ(ItemText("Readers"), "CN=Ann/O=Acme");
}

TEST_F(AssignItemByFormulaTest, EmptyFormulaAssignsTheCurrentTime) {
  LNText clock;
  ASSERT_EQ(EvaluateFormula("@Now", &clock), 1);
  const LNDatetime earliest = LNDatetimes(clock)[0];
  EXPECT_EQ(AssignItemByFormula(document_, "Stamp", "", ""), 1);
  ASSERT_EQ(EvaluateFormula("@Now", &clock), 1);
  const LNDatetime latest = LNDatetimes(clock)[0];

  const platform::store::ItemImage stored = StoredItem("Stamp");
  ASSERT_EQ(stored.type, platform::kTypeTimeList);
  std::vector<platform::formula::DateTime> times;
  ASSERT_EQ(platform::values::DecodeTimeList(stored.value.data(), stored.value.size(), &times),
            platform::kNoError);
  ASSERT_EQ(times.size(), 1u);
  EXPECT_GE(times[0], earliest.GetDateTime());
  EXPECT_LE(times[0], latest.GetDateTime());
}

TEST_F(AssignItemByFormulaTest, NullFormulaIsTheCurrentTimeToo) {
  EXPECT_EQ(AssignItemByFormula(document_, "Stamp", "DATETIME", nullptr), 1);
  EXPECT_EQ(StoredItem("Stamp").type, platform::kTypeTimeList);
}

TEST_F(AssignItemByFormulaTest, ThrowAllErrorsModeIsLeftOn) {
  LNSetThrowAllErrorsGlobal(0);
  AssignItemByFormula(document_, "Subject", "TEXT", "\"Hello\"");
  EXPECT_TRUE(LNGetThrowAllErrorsGlobal());
  LNSetThrowAllErrorsGlobal(0);
  AssignItemByFormula(document_, "Other", "TEXT", "\"x\"");
  EXPECT_TRUE(LNGetThrowAllErrorsGlobal()) << "also after creating the item";
  LNSetThrowAllErrorsGlobal(1);
  AssignItemByFormula(document_, "Subject", "TEXT", "\"Hello\"");
  EXPECT_TRUE(LNGetThrowAllErrorsGlobal());
}

TEST_F(AssignItemByFormulaTest, NamesAndValuesReachTheCompilerVerbatim) {
  // Nothing is quoted: a name with a blank does not compile, and a value
  // may be any expression, including a second statement.
  EXPECT_THROW(AssignItemByFormula(document_, "Two Words", "TEXT", "\"x\""), LNSTATUS);
  EXPECT_EQ(AssignItemByFormula(document_, "Subject", "TEXT", "\"x\";FIELD Extra := \"y\""), 1);
  EXPECT_EQ(ItemText("Extra"), "y");
}

TEST_F(AssignItemByFormulaTest, BadFormulaThrowsItsStatusAndSavesNothingMore) {
  const std::uint32_t before = StoredSequence();
  EXPECT_THROW(AssignItemByFormula(document_, "Subject", "TEXT", "@Unknown(1"), LNSTATUS);
  EXPECT_THROW(AssignItemByFormula(document_, "Subject", "TEXT", "1 + \"a\""), LNSTATUS);
  EXPECT_EQ(StoredSequence(), before);
  EXPECT_EQ(ItemText("Subject"), "Hello");
}

TEST_F(AssignItemByFormulaTest, ClosedNoteThrowsInsteadOfFailingQuietly) {
  document_.Close();
  EXPECT_THROW(AssignItemByFormula(document_, "Subject", "TEXT", "\"x\""), LNSTATUS);
}

class AssignItemFromRecordTest : public AssignItemByFormulaTest {};

TEST_F(AssignItemFromRecordTest, FieldsAreCutAtTabsAndStrippedOfBlanks) {
  EXPECT_EQ(AssignItemFromRecord(document_, "|", "  Status\tthe state| TEXT |  \"Open\"  ", 0), 1);
  EXPECT_EQ(ItemText("Status"), "Open");
  EXPECT_EQ(StoredItem("Status").type, platform::kTypeTextList);
}

TEST_F(AssignItemFromRecordTest, ValueIndexChoosesTheFormulaColumn) {
  EXPECT_EQ(AssignItemFromRecord(document_, ";;", "Status;;TEXT;;\"A\";;\"B\";;\"C\"", 1), 1);
  EXPECT_EQ(ItemText("Status"), "B");
}

TEST_F(AssignItemFromRecordTest, EmptyValueFieldMeansTheCurrentTime) {
  EXPECT_EQ(AssignItemFromRecord(document_, ",", "Stamp,DATETIME,,", 0), 1);
  EXPECT_EQ(StoredItem("Stamp").type, platform::kTypeTimeList);
}

TEST_F(AssignItemFromRecordTest, MissingValueColumnLeavesTheNoteUntouched) {
  const std::uint32_t before = StoredSequence();
  EXPECT_EQ(AssignItemFromRecord(document_, "|", "Status|TEXT", 0), 0);
  EXPECT_EQ(AssignItemFromRecord(document_, "|", "Status|TEXT|\"A\"", 1), 0);
  EXPECT_EQ(AssignItemFromRecord(document_, "|", "Status|TEXT|\"A\"", -1), 0);
  EXPECT_EQ(AssignItemFromRecord(document_, "|", "", -3), 0);
  EXPECT_EQ(AssignItemFromRecord(document_, "|", nullptr, 0), 0);
  EXPECT_FALSE(document_.HasItem("Status"));
  EXPECT_EQ(StoredSequence(), before);
}

}  // namespace
}  // namespace quendral
