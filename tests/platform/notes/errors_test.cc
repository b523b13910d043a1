#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "platform/notes/api/ln.h"

namespace {

class ThrowModeTest : public ::testing::Test {
 protected:
  void TearDown() override { LNSetThrowAllErrorsGlobal(0); }
};

TEST_F(ThrowModeTest, ErrorsAreReturnedWhenOff) {
  LNSetThrowAllErrorsGlobal(0);
  EXPECT_FALSE(LNGetThrowAllErrorsGlobal());
  LNDatabase unbound;
  EXPECT_EQ(unbound.Open(), quendral::platform::kErrDatabaseNotFound);
  LNUniversalID id(LNString("not hex"));
  UNIVERSALNOTEID unid{};
  EXPECT_EQ(id.GetUniversalID(&unid), quendral::platform::kErrInvalidUniversalId);
}

TEST_F(ThrowModeTest, ErrorsAreThrownAsUnsignedLongWhenOn) {
  LNSetThrowAllErrorsGlobal(1);
  EXPECT_TRUE(LNGetThrowAllErrorsGlobal());
  LNDatabase unbound;
  try {
    unbound.Open();
    FAIL() << "no throw";
  } catch (LNSTATUS status) {
    EXPECT_EQ(status, quendral::platform::kErrDatabaseNotFound);
  }
  EXPECT_THROW(LNUniversalID(LNString("0123")), LNSTATUS);
  LNFormula formula;
  EXPECT_THROW(formula.SetText("1 +"), LNSTATUS);
  // Success throws nothing.
  EXPECT_NO_THROW(formula.SetText("1 + 2"));
}

TEST(ErrorTexts, EveryStatusHasItsOwnText) {
  const quendral::platform::STATUS statuses[] = {
      quendral::platform::kErrInvalidArgument,  quendral::platform::kErrInvalidHandle,
      quendral::platform::kErrOutOfMemory,      quendral::platform::kErrSessionNotInitialized,
      quendral::platform::kErrUnknownServer,    quendral::platform::kErrPathOutsideDataDirectory,
      quendral::platform::kErrDatabaseNotFound, quendral::platform::kErrReplicaNotFound,
      quendral::platform::kErrDatabaseNotOpen,  quendral::platform::kErrDatabaseExists,
      quendral::platform::kErrDatabaseDamaged,  quendral::platform::kErrDatabaseBusy,
      quendral::platform::kErrStorageFailure,   quendral::platform::kErrInvalidUniversalId,
      quendral::platform::kErrNoteNotFound,     quendral::platform::kErrNoteNotOpen,
      quendral::platform::kErrSaveConflict,     quendral::platform::kErrItemNotFound,
      quendral::platform::kErrItemTypeMismatch, quendral::platform::kErrItemValueInvalid,
      quendral::platform::kErrNoMoreItems,      quendral::platform::kErrDiskFull,
      quendral::platform::kErrFormulaSyntax,    quendral::platform::kErrFormulaEvaluation,
      quendral::platform::kErrFormulaTooLarge,  quendral::platform::kErrCompositeRecordInvalid,
  };
  char unknown[512];
  ASSERT_EQ(LNGetErrorMessageText(0x7ABC, unknown, sizeof unknown, 0), 0u);
  std::set<std::string> texts;
  for (quendral::platform::STATUS status : statuses) {
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
  ASSERT_EQ(LNGetErrorMessageText(quendral::platform::kErrSaveConflict, buffer, sizeof buffer, 0),
            0u);
  EXPECT_EQ(std::strlen(buffer), 5u);
  EXPECT_EQ(LNGetErrorMessageText(quendral::platform::kErrSaveConflict, nullptr, 10, 0),
            quendral::platform::kErrInvalidArgument);
  EXPECT_EQ(LNGetErrorMessageText(quendral::platform::kErrSaveConflict, buffer, 0, 0),
            quendral::platform::kErrInvalidArgument);
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
  EXPECT_EQ(LNUniversalID().GetUniversalID(&unid), quendral::platform::kErrInvalidUniversalId);
}

TEST(Strings, CompareByteWise) {
  EXPECT_EQ(LNStringCompare("abc", "abc", 0), 0);
  EXPECT_LT(LNStringCompare("ABC", "abc", 0), 0);
  EXPECT_EQ(LNString("a\0b", 3).GetByteLength(), 3u);
  EXPECT_NE(LNString("a\0b", 3), LNString("a"));
  EXPECT_STREQ(LNString(static_cast<const char*>(nullptr)).GetTextPtr(), "");
}

}  // namespace
