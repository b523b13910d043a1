// The in-memory dialog behaves as a dialog of edit controls does.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/os/desktop/dialog_exchange.h"

namespace quendral::os {
namespace {

constexpr int kField = 7;

class MemoryDialogTest : public ::testing::Test {
 protected:
  MemoryDialogTest() { dialog_.AddEditControl(kField, "02/25/2009"); }
  MemoryDialogExchange dialog_{ExchangeDirection::kSave};
};

TEST_F(MemoryDialogTest, TellsItsDirection) {
  EXPECT_TRUE(dialog_.IsSaving());
  dialog_.set_direction(ExchangeDirection::kLoad);
  EXPECT_FALSE(dialog_.IsSaving());
}

TEST_F(MemoryDialogTest, BoundedTextIsCutAndTerminated) {
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(dialog_.GetText(kField, buffer, 6), 5);
  EXPECT_STREQ(buffer, "02/25");
  EXPECT_EQ(buffer[6], '#');
  EXPECT_EQ(dialog_.GetText(kField, buffer, 0), 0);
  EXPECT_EQ(buffer[0], '0');
}

TEST_F(MemoryDialogTest, TextComesBackWholeAndReportsItsLength) {
  dialog_.SetText(kField, "1/2/2009");
  EXPECT_EQ(dialog_.GetText(kField), "1/2/2009");
  EXPECT_EQ(dialog_.LineLength(kField), 8);
  dialog_.SetText(kField, nullptr);
  EXPECT_EQ(dialog_.GetText(kField), "");
}

// A limit holds back the user's typing, not the program's text.
TEST_F(MemoryDialogTest, LimitDoesNotCutTheProgramsText) {
  dialog_.LimitText(kField, 4);
  dialog_.SetText(kField, "02/25/2009");
  EXPECT_EQ(dialog_.LimitOf(kField), 4);
  EXPECT_EQ(dialog_.GetText(kField), "02/25/2009");
}

TEST_F(MemoryDialogTest, FailPointsAtThePreparedControlAndThrows) {
  dialog_.AddEditControl(kField + 1);
  dialog_.PrepareEditControl(kField);
  EXPECT_THROW(dialog_.Fail(), DialogExchangeFailed);
  EXPECT_EQ(dialog_.focused_control(), kField);
  EXPECT_TRUE(dialog_.whole_text_selected());
  dialog_.SetText(kField, "new");
  EXPECT_FALSE(dialog_.whole_text_selected());
}

TEST_F(MemoryDialogTest, FailWithoutAPreparedControlStillThrows) {
  EXPECT_THROW(dialog_.Fail(), DialogExchangeFailed);
  EXPECT_EQ(dialog_.focused_control(), MemoryDialogExchange::kNone);
}

TEST_F(MemoryDialogTest, MessagesAreKeptInOrder) {
  dialog_.ShowMessage("first");
  dialog_.ShowMessage("second");
  EXPECT_EQ(dialog_.messages(), (std::vector<std::string>{"first", "second"}));
}

TEST_F(MemoryDialogTest, UnknownControlIsAnError) {
  char buffer[4];
  EXPECT_THROW(dialog_.PrepareEditControl(99), std::invalid_argument);
  EXPECT_THROW(dialog_.GetText(99, buffer, sizeof buffer), std::invalid_argument);
  EXPECT_THROW(dialog_.SetText(99, "x"), std::invalid_argument);
  EXPECT_THROW(dialog_.LineLength(99), std::invalid_argument);
}

}  // namespace
}  // namespace quendral::os
