// Profile fields read and written as one text or one number.
#include "notes/profile_fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "notes/note_fixture.h"

namespace quendral {
namespace {

class ProfileFieldsTest : public note_testing::NoteFixture {
 protected:
  void SetUp() override {
    NoteFixture::SetUp();
    ASSERT_EQ(database_.GetProfileDocument("Settings", &profile_), 0u);
  }

  void SetNumber(const char* field, double value) {
    LNNumbers numbers;
    ASSERT_EQ(numbers.SetValue(value), 0u);
    ASSERT_EQ(profile_.SetProfileField(field, numbers), 0u);
  }

  // The profile as a new lookup finds it: what was stored.
  LNProfileDocument Reloaded() {
    LNProfileDocument again;
    EXPECT_EQ(database_.GetProfileDocument("Settings", &again), 0u);
    return again;
  }

  LNProfileDocument profile_;
};

TEST_F(ProfileFieldsTest, TextIsStoredAtOnceAndReadBack) {
  WriteProfileText(profile_, "Sales", "Department");
  std::string text = "stale";
  EXPECT_EQ(ReadProfileText(Reloaded(), &text, "Department"), 5);
  EXPECT_EQ(text, "Sales");
}

TEST_F(ProfileFieldsTest, TextListJoinsAndIsNotConverted) {
  LNText list;
  ASSERT_EQ(list.SetValue("Gr\x9B"
                          "d"),
            0u);
  ASSERT_EQ(list.Append("\xA2\xA5"), 0u);
  ASSERT_EQ(profile_.SetProfileField("Words", list), 0u);
  std::string text;
  EXPECT_EQ(ReadProfileText(profile_, &text, "Words"), 7);
  EXPECT_EQ(text,
            "Gr\x9B"
            "d;\xA2\xA5");
}

TEST_F(ProfileFieldsTest, MissingOrNumberFieldReadsAsEmptyText) {
  SetNumber("Limit", 3);
  for (const int mode : {0, 1}) {
    LNSetThrowAllErrorsGlobal(mode);
    std::string text = "stale";
    EXPECT_EQ(ReadProfileText(profile_, &text, "Missing"), 0);
    EXPECT_EQ(text, "");
    text = "stale";
    EXPECT_EQ(ReadProfileText(profile_, &text, "Limit"), 0);
    EXPECT_EQ(text, "");
  }
}

TEST_F(ProfileFieldsTest, NumbersTruncateTowardZero) {
  SetNumber("Up", 2.9);
  SetNumber("Down", -2.9);
  EXPECT_EQ(ReadProfileNumber(profile_, "Up"), 2);
  EXPECT_EQ(ReadProfileNumber(profile_, "Down"), -2);
}

TEST_F(ProfileFieldsTest, NumbersOutsideTheRangeStopAtItsLimits) {
  SetNumber("Huge", 1e12);
  SetNumber("Tiny", -1e12);
  EXPECT_EQ(ReadProfileNumber(profile_, "Huge"), INT32_MAX);
  EXPECT_EQ(ReadProfileNumber(profile_, "Tiny"), INT32_MIN);
}

TEST_F(ProfileFieldsTest, SingleNumberFieldReadsToo) {
  const std::uint8_t four[] = {0, 0, 0, 0, 0, 0, 0x10, 0x40};
  ASSERT_EQ(profile_.CreateItem("Single", platform::kTypeNumber, four, sizeof four, 0,
                                platform::kItemOptionReplace),
            0u);
  EXPECT_EQ(ReadProfileNumber(profile_, "Single"), 4);
}

TEST_F(ProfileFieldsTest, MissingTextOrEmptyFieldIsMinusOne) {
  WriteProfileText(profile_, "12", "Text");
  ASSERT_EQ(profile_.SetProfileField("Empty", LNNumbers()), 0u);
  for (const int mode : {0, 1}) {
    LNSetThrowAllErrorsGlobal(mode);
    EXPECT_EQ(ReadProfileNumber(profile_, "Missing"), -1) << mode;
    EXPECT_EQ(ReadProfileNumber(profile_, "Text"), -1) << mode;
    EXPECT_EQ(ReadProfileNumber(profile_, "Empty"), -1) << mode;
    EXPECT_EQ(ReadProfileNumber(profile_, nullptr), -1) << mode;
  }
}

TEST_F(ProfileFieldsTest, WrittenNumberIsStoredAtOnceAndReadBack) {
  WriteProfileNumber(profile_, -123456, "Limit");
  EXPECT_EQ(ReadProfileNumber(Reloaded(), "Limit"), -123456);
  WriteProfileNumber(profile_, INT32_MIN, "Limit");
  EXPECT_EQ(ReadProfileNumber(Reloaded(), "Limit"), INT32_MIN);
}

TEST_F(ProfileFieldsTest, WritesReplaceTheFieldWhateverItsType) {
  WriteProfileNumber(profile_, 5, "Field");
  WriteProfileText(profile_, "five", "Field");
  std::string text;
  EXPECT_EQ(ReadProfileText(Reloaded(), &text, "Field"), 4);
  EXPECT_EQ(ReadProfileNumber(Reloaded(), "Field"), -1);
}

TEST_F(ProfileFieldsTest, FailedWritesAreDropped) {
  LNSetThrowAllErrorsGlobal(1);
  EXPECT_NO_THROW(WriteProfileText(profile_, "x", ""));
  EXPECT_NO_THROW(WriteProfileNumber(profile_, 1, nullptr));
  profile_.Close();
  EXPECT_NO_THROW(WriteProfileText(profile_, "x", "Field"));
  EXPECT_NO_THROW(WriteProfileNumber(profile_, 1, "Field"));
  std::string text;
  EXPECT_EQ(ReadProfileText(Reloaded(), &text, "Field"), 0);
}

}  // namespace
}  // namespace quendral
