#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "platform/notes/ln.h"

namespace {

class ThrowModeTest : public ::testing::Test {
 protected:
  void TearDown() override { LNSetThrowAllErrorsGlobal(0); }
};

TEST_F(ThrowModeTest, ErrorsAreReturnedWhenOff) {
  LNSetThrowAllErrorsGlobal(0);
  EXPECT_FALSE(LNGetThrowAllErrorsGlobal());
  LNDatabase unbound;
  EXPECT_EQ(unbound.Open(), notes::kErrDatabaseNotFound);
  LNUniversalID id(LNString("not hex"));
  UNIVERSALNOTEID unid{};
  EXPECT_EQ(id.GetUniversalID(&unid), notes::kErrInvalidUniversalId);
}

TEST_F(ThrowModeTest, ErrorsAreThrownAsUnsignedLongWhenOn) {
  LNSetThrowAllErrorsGlobal(1);
  EXPECT_TRUE(LNGetThrowAllErrorsGlobal());
  LNDatabase unbound;
  try {
    unbound.Open();
    FAIL() << "no throw";
  } catch (LNSTATUS status) {
    EXPECT_EQ(status, notes::kErrDatabaseNotFound);
  }
  EXPECT_THROW(LNUniversalID(LNString("0123")), LNSTATUS);
  LNFormula formula;
  EXPECT_THROW(formula.SetText("1 +"), LNSTATUS);
  // Success throws nothing.
  EXPECT_NO_THROW(formula.SetText("1 + 2"));
}

TEST(ErrorTexts, EveryStatusHasItsOwnText) {
  const notes::STATUS statuses[] = {
      notes::kErrInvalidArgument,  notes::kErrInvalidHandle,
      notes::kErrOutOfMemory,      notes::kErrSessionNotInitialized,
      notes::kErrUnknownServer,    notes::kErrPathOutsideDataDirectory,
      notes::kErrDatabaseNotFound, notes::kErrReplicaNotFound,
      notes::kErrDatabaseNotOpen,  notes::kErrDatabaseExists,
      notes::kErrDatabaseDamaged,  notes::kErrDatabaseBusy,
      notes::kErrStorageFailure,   notes::kErrInvalidUniversalId,
      notes::kErrNoteNotFound,     notes::kErrNoteNotOpen,
      notes::kErrSaveConflict,     notes::kErrItemNotFound,
      notes::kErrItemTypeMismatch, notes::kErrItemValueInvalid,
      notes::kErrNoMoreItems,      notes::kErrDiskFull,
      notes::kErrFormulaSyntax,    notes::kErrFormulaEvaluation,
      notes::kErrFormulaTooLarge,  notes::kErrCompositeRecordInvalid,
  };
  char unknown[512];
  ASSERT_EQ(LNGetErrorMessageText(0x7ABC, unknown, sizeof unknown, 0), 0u);
  std::set<std::string> texts;
  for (notes::STATUS status : statuses) {
    char buffer[512];
    ASSERT_EQ(LNGetErrorMessageText(status, buffer, sizeof buffer, 0), 0u);
    EXPECT_GT(std::strlen(buffer), 0u);
    EXPECT_STRNE(buffer, unknown) << status;
    texts.insert(buffer);
  }
  EXPECT_EQ(texts.size(), std::size(statuses));
}

TEST(ErrorTexts, TextIsCutToTheBuffer) {
  char buffer[6];
  std::memset(buffer, 'x', sizeof buffer);
  ASSERT_EQ(LNGetErrorMessageText(notes::kErrSaveConflict, buffer, sizeof buffer, 0), 0u);
  EXPECT_EQ(std::strlen(buffer), 5u);
  EXPECT_EQ(LNGetErrorMessageText(notes::kErrSaveConflict, nullptr, 10, 0),
            notes::kErrInvalidArgument);
  EXPECT_EQ(LNGetErrorMessageText(notes::kErrSaveConflict, buffer, 0, 0),
            notes::kErrInvalidArgument);
}

TEST(UniversalIdText, DigitsMapToWordsSecondWordFirst) {
  LNUniversalID id(LNString("0123456789abcdefFEDCBA9876543210"));
  UNIVERSALNOTEID unid{};
  ASSERT_EQ(id.GetUniversalID(&unid), 0u);
  EXPECT_EQ(unid.File.Innards[1], 0x01234567u);
  EXPECT_EQ(unid.File.Innards[0], 0x89ABCDEFu);
  EXPECT_EQ(unid.Note.Innards[1], 0xFEDCBA98u);
  EXPECT_EQ(unid.Note.Innards[0], 0x76543210u);
  EXPECT_EQ(id.GetText(), LNString("0123456789ABCDEFFEDCBA9876543210"));
}

TEST(UniversalIdText, AnythingButThirtyTwoHexDigitsIsInvalid) {
  UNIVERSALNOTEID unid{};
  for (const char* text :
       {"", "0123456789ABCDEF0123456789ABCDE", "0123456789ABCDEF0123456789ABCDEF0",
        "0123456789ABCDEF0123456789ABCDEG", "+123456789ABCDEF0123456789ABCDEF"}) {
    EXPECT_FALSE(LNUniversalID::Parse(text, &unid)) << text;
  }
  EXPECT_EQ(LNUniversalID().GetUniversalID(&unid), notes::kErrInvalidUniversalId);
}

TEST(Strings, CompareByteWise) {
  EXPECT_EQ(LNStringCompare("abc", "abc", 0), 0);
  EXPECT_LT(LNStringCompare("ABC", "abc", 0), 0);
  EXPECT_EQ(LNString("a\0b", 3).GetByteLength(), 3u);
  EXPECT_NE(LNString("a\0b", 3), LNString("a"));
  EXPECT_STREQ(LNString(static_cast<const char*>(nullptr)).GetTextPtr(), "");
}

}  // namespace
