// Status records posted to a window: their fields, their ownership, and
// posts that fail.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

#include "platform/os/local_time.h"
#include "platform/os/window_message.h"
#include "util/client_window.h"

namespace util {
namespace {

constexpr std::uint32_t kStatusMessage = 0x8123;

class StatusPosterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = os::CreateMessageWindow();
    ASSERT_NE(window_, 0U);
    poster_.Initialise("Repair service", window_, kStatusMessage);
  }
  void TearDown() override {
    os::WindowMessage left;
    while (os::TakeWindowMessage(window_, &left)) {
      TakeStatusRecord(left.second);
    }
    os::DestroyMessageWindow(window_);
  }

  // The record of the next message; null when none was posted.
  OwnedStatusRecord Receive(os::WindowMessage* message) {
    if (!os::TakeWindowMessage(window_, message)) {
      return nullptr;
    }
    return TakeStatusRecord(message->second);
  }

  os::WindowHandle window_ = 0;
  StatusPoster poster_;
};

TEST_F(StatusPosterTest, RecordCarriesEveryField) {
  ASSERT_TRUE(poster_.Post("E42", 42, "fixer", 3, 1, 2, 3, 4, 5, "all done"));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(message.message, kStatusMessage);
  EXPECT_EQ(message.first, 3U);
  EXPECT_EQ(+record->kind, 3);
  EXPECT_EQ(+record->value1, 1);
  EXPECT_EQ(+record->value2, 2);
  EXPECT_STREQ(record->code, "E42");
  EXPECT_EQ(+record->code_number, 42);
  EXPECT_STREQ(record->sender, "Repair service");
  EXPECT_STREQ(record->source, "fixer");
  EXPECT_EQ(+record->value3, 3);
  EXPECT_EQ(+record->value4, 4);
  EXPECT_EQ(+record->value5, 5);
  EXPECT_STREQ(record->message_text, "all done");
  EXPECT_EQ(+record->message_length, 8U);
}

TEST_F(StatusPosterTest, RecordHoldsTheLocalTimeOfPosting) {
  const std::time_t before = std::time(nullptr);
  ASSERT_TRUE(poster_.Post("", 0, "", 1, 0, 0, 0, 0, 0, ""));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  std::tm local{};
  ASSERT_TRUE(os::LocalTimeFields(before, &local));
  EXPECT_EQ(+record->time.year, local.tm_year + 1900);
  EXPECT_GE(+record->time.month, 1);
  EXPECT_LE(+record->time.month, 12);
  EXPECT_LT(+record->time.milliseconds, 1000);
}

TEST_F(StatusPosterTest, LongTextsAreCutToTheirFields) {
  const std::string long_text(200, 'x');
  poster_.Initialise(long_text, window_, kStatusMessage);
  ASSERT_TRUE(poster_.Post(long_text, 0, long_text, 1, 0, 0, 0, 0, 0, long_text));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(std::strlen(record->code), 9U);
  EXPECT_EQ(std::strlen(record->sender), 63U);
  EXPECT_EQ(std::strlen(record->source), 63U);
  EXPECT_EQ(std::string(record->message_text), long_text);
}

TEST_F(StatusPosterTest, ReportUsesTheFixedValues) {
  ASSERT_TRUE(poster_.PostReport("checker", "%d of %d", 3, 7));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(+record->kind, 1);
  EXPECT_EQ(message.first, 1U);
  EXPECT_STREQ(record->code, "");
  EXPECT_EQ(+record->code_number, 0);
  EXPECT_EQ(+record->value3, 1);
  EXPECT_EQ(+record->value1 | record->value2 | record->value4 | record->value5, 0);
  EXPECT_STREQ(record->source, "checker");
  EXPECT_STREQ(record->message_text, "3 of 7");
}

TEST_F(StatusPosterTest, FormattedTextIsCutToItsBuffer) {
  const std::string long_text(3000, 'y');
  ASSERT_TRUE(poster_.PostFormatted("C", 1, "s", 2, 0, 0, 0, 0, 0, "[%s]", long_text.c_str()));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(+record->message_length, StatusPoster::kMaxFormattedLength);
  EXPECT_EQ(std::strlen(record->message_text), StatusPoster::kMaxFormattedLength);
  EXPECT_EQ(record->message_text[0], '[');
}

// A failed post must not leave its record behind; the leak checker of the
// sanitizer build would report it.
TEST_F(StatusPosterTest, FailedPostFreesItsRecord) {
  const os::WindowHandle gone = os::CreateMessageWindow();
  os::DestroyMessageWindow(gone);
  poster_.Initialise("lost", gone, kStatusMessage);
  EXPECT_FALSE(poster_.Post("E", 1, "s", 1, 0, 0, 0, 0, 0, "nobody reads this"));
  EXPECT_FALSE(poster_.PostReport("s", "%s", "nor this"));
}

TEST(StatusRecord, FieldsSitAtTheirOffsets) {
  EXPECT_EQ(offsetof(StatusRecord, code), 12U);
  EXPECT_EQ(offsetof(StatusRecord, sender), 26U);
  EXPECT_EQ(offsetof(StatusRecord, time), 154U);
  EXPECT_EQ(offsetof(StatusRecord, message_text), 182U);
  EXPECT_EQ(sizeof(StatusRecord), 182U + sizeof(char*) + 4U);
}

}  // namespace
}  // namespace util
