// Date fields of a dialog, driven through the in-memory dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/os/desktop/dialog_exchange.h"
#include "util/date_entry/date_entry.h"
#include "util/dates/datetime.h"

namespace quendral::util {
namespace {

using os::DialogExchangeFailed;
using os::ExchangeDirection;
using os::MemoryDialogExchange;
using Messages = std::vector<std::string>;

constexpr int kField = 1001;
constexpr int kOtherField = 1002;

int SerialOf(int month, int day, int year) {
  return DateTimeValue(0, kMonthDayYear).SerialFromDate(month, day, year);
}

class DateFieldTest : public ::testing::Test {
 protected:
  DateFieldTest() {
    dialog_.AddEditControl(kField);
    dialog_.AddEditControl(kOtherField);
  }

  void Type(const std::string& text) {
    dialog_.set_direction(ExchangeDirection::kSave);
    dialog_.SetText(kField, text.c_str());
  }

  void Load() { dialog_.set_direction(ExchangeDirection::kLoad); }

  // The field is focused with its text selected, and the one message shown.
  void ExpectRefusedWith(const std::string& message) {
    EXPECT_EQ(dialog_.messages(), Messages{message});
    EXPECT_EQ(dialog_.focused_control(), kField);
    EXPECT_TRUE(dialog_.whole_text_selected());
  }

  MemoryDialogExchange dialog_{ExchangeDirection::kLoad};
};

// ExchangeDateText

class DateTextFieldTest : public DateFieldTest {
 protected:
  static constexpr int kMaxLength = 10;
  char buffer_[kMaxLength + 1] = "old";
};

TEST_F(DateTextFieldTest, LoadingLimitsTheFieldAndShowsTheText) {
  Load();
  std::strcpy(buffer_, "02/25/2009");
  ExchangeDateText(dialog_, kField, buffer_, kMaxLength);
  EXPECT_EQ(dialog_.TextOf(kField), "02/25/2009");
  EXPECT_EQ(dialog_.LimitOf(kField), kMaxLength);
}

TEST_F(DateTextFieldTest, SavingNormalisesTheFieldAndTakesIt) {
  Type("02252009");
  ExchangeDateText(dialog_, kField, buffer_, kMaxLength);
  EXPECT_STREQ(buffer_, "02/25/2009");
  EXPECT_EQ(dialog_.TextOf(kField), "02/25/2009");
  EXPECT_TRUE(dialog_.messages().empty());
}

TEST_F(DateTextFieldTest, SavingAnEmptyFieldGivesAnEmptyText) {
  Type("");
  ExchangeDateText(dialog_, kField, buffer_, kMaxLength);
  EXPECT_STREQ(buffer_, "");
}

TEST_F(DateTextFieldTest, RefusesAFieldLongerThanTheMaximum) {
  Type("02/25/02009");
  EXPECT_THROW(ExchangeDateText(dialog_, kField, buffer_, kMaxLength), DialogExchangeFailed);
  ExpectRefusedWith("Max Length is 10");
  EXPECT_STREQ(buffer_, "old");
}

// Normalising adds two characters, which may push a field over the maximum.
TEST_F(DateTextFieldTest, LengthIsJudgedAfterNormalising) {
  Type("022520091");
  EXPECT_THROW(ExchangeDateText(dialog_, kField, buffer_, kMaxLength), DialogExchangeFailed);
  ExpectRefusedWith("Max Length is 10");
  EXPECT_EQ(dialog_.TextOf(kField), "02/25/20091");
}

TEST_F(DateTextFieldTest, RefusedDateLeavesTheBufferAsItWas) {
  Type("02/30/2009");
  EXPECT_THROW(ExchangeDateText(dialog_, kField, buffer_, kMaxLength), DialogExchangeFailed);
  ExpectRefusedWith("Invalid Date or Format");
  EXPECT_STREQ(buffer_, "old");
}

TEST_F(DateTextFieldTest, MissingControlIsAnError) {
  Type("02/25/2009");
  EXPECT_THROW(ExchangeDateText(dialog_, 4711, buffer_, kMaxLength), std::invalid_argument);
  EXPECT_STREQ(buffer_, "old");
}

// ExchangeDateString

TEST_F(DateFieldTest, StringLoadingShowsTheText) {
  Load();
  std::string value = "1/2/2009";
  ExchangeDateString(dialog_, kField, value);
  EXPECT_EQ(dialog_.TextOf(kField), "1/2/2009");
  EXPECT_EQ(dialog_.LimitOf(kField), MemoryDialogExchange::kNone);
}

TEST_F(DateFieldTest, StringSavingNormalisesTheFieldAndTakesIt) {
  std::string value;
  Type("022509");
  ExchangeDateString(dialog_, kField, value);
  EXPECT_EQ(value, "02/25/09");
  EXPECT_EQ(dialog_.TextOf(kField), "02/25/09");
}

TEST_F(DateFieldTest, StringSavingHasNoLengthLimit) {
  std::string value;
  Type("000000000000000000000000000000000000000000000000000000000002/25/2009");
  ExchangeDateString(dialog_, kField, value);
  EXPECT_EQ(value, dialog_.TextOf(kField));
}

TEST_F(DateFieldTest, StringRefusedDateLeavesTheVariableAsItWas) {
  std::string value = "old";
  Type("13/01/2009");
  EXPECT_THROW(ExchangeDateString(dialog_, kField, value), DialogExchangeFailed);
  ExpectRefusedWith("Invalid Date or Format");
  EXPECT_EQ(value, "old");
}

// ExchangeDateSerial

TEST_F(DateFieldTest, SerialLoadingShowsTheDateInMonthDayYearForm) {
  Load();
  int serial = 2451545;
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(dialog_.TextOf(kField), "01/01/2000");
  EXPECT_EQ(serial, 2451545);
}

TEST_F(DateFieldTest, SerialLoadingShowsNoDateAsAnEmptyField) {
  Load();
  dialog_.SetText(kField, "stale");
  int serial = 0;
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(dialog_.TextOf(kField), "");
}

TEST_F(DateFieldTest, SerialNegativeDayNumberBecomesNoDate) {
  Load();
  dialog_.SetText(kField, "stale");
  int serial = -5;
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(dialog_.TextOf(kField), "");
  EXPECT_EQ(serial, 0);
}

// Day numbers before year 0 have no text form.
TEST_F(DateFieldTest, SerialLoadingADayNumberWithoutADateShowsAnEmptyFieldAndKeepsIt) {
  const int before_year_zero = SerialOf(3, 1, 0) - 400;
  Load();
  dialog_.SetText(kField, "stale");
  int serial = before_year_zero;
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(dialog_.TextOf(kField), "");
  EXPECT_EQ(serial, before_year_zero);

  dialog_.set_direction(ExchangeDirection::kSave);
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(serial, before_year_zero);
  EXPECT_TRUE(dialog_.messages().empty());
}

TEST_F(DateFieldTest, SerialSavingTakesTheTypedDate) {
  int serial = 0;
  Type("02252009");
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(serial, SerialOf(2, 25, 2009));
  EXPECT_EQ(dialog_.TextOf(kField), "02/25/2009");
}

TEST_F(DateFieldTest, SerialSavingAnEmptyFieldWithoutADateGivesNoDate) {
  int serial = 0;
  Type("");
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(serial, 0);
  EXPECT_EQ(dialog_.TextOf(kField), "");
}

TEST_F(DateFieldTest, SerialEmptiedFieldGetsItsDateBack) {
  int serial = SerialOf(2, 25, 2009);
  Type("");
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(serial, SerialOf(2, 25, 2009));
  EXPECT_EQ(dialog_.TextOf(kField), "02/25/2009");
}

// The text of a date before year 100 reads back in the 1900s, so the day
// number itself is what is kept.
TEST_F(DateFieldTest, SerialEmptiedFieldKeepsAnEarlyDayNumberExactly) {
  int serial = SerialOf(7, 4, 76);
  Type("");
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(serial, SerialOf(7, 4, 76));
  EXPECT_EQ(dialog_.TextOf(kField), "07/04/0076");
}

TEST_F(DateFieldTest, SerialRefusedDateKeepsTheDayNumber) {
  int serial = SerialOf(2, 25, 2009);
  Type("02/29/2009");
  EXPECT_THROW(ExchangeDateSerial(dialog_, kField, serial), DialogExchangeFailed);
  ExpectRefusedWith("Invalid Date or Format");
  EXPECT_EQ(serial, SerialOf(2, 25, 2009));
}

// Only 49 characters of the field are read: here the year is cut off the
// end, leaving a 1900 date.
TEST_F(DateFieldTest, SerialReadsAtMostFortyNineCharacters) {
  int serial = 0;
  Type(std::string(44, '0') + "1/2/2009");
  ExchangeDateSerial(dialog_, kField, serial);
  EXPECT_EQ(serial, SerialOf(1, 2, 1902));
}

// A failure ends the whole exchange: later fields are not reached.
TEST_F(DateFieldTest, FailureEndsTheWholeExchange) {
  int first = SerialOf(1, 1, 2000);
  int second = SerialOf(1, 1, 2000);
  dialog_.set_direction(ExchangeDirection::kSave);
  dialog_.SetText(kField, "bad date");
  dialog_.SetText(kOtherField, "02/25/2009");
  const auto exchange = [&] {
    ExchangeDateSerial(dialog_, kField, first);
    ExchangeDateSerial(dialog_, kOtherField, second);
  };
  EXPECT_THROW(exchange(), DialogExchangeFailed);
  EXPECT_EQ(first, SerialOf(1, 1, 2000));
  EXPECT_EQ(second, SerialOf(1, 1, 2000));
  EXPECT_EQ(dialog_.focused_control(), kField);
}

}  // namespace
}  // namespace quendral::util
