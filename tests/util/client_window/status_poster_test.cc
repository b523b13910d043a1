// Status records posted to a window: their fields, their ownership, texts
// taken from the string table, and posts that fail.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

#include "platform/os/desktop/window_message.h"
#include "platform/os/local_time.h"
#include "platform/os/resource_modules.h"
#include "platform/os/resources.h"
#include "util/client_window/client_window.h"

namespace quendral::util {
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

// The fixed values of a plain report.
void ExpectReportValues(const os::WindowMessage& message, const StatusRecord& record) {
  EXPECT_EQ(+record.kind, 1);
  EXPECT_EQ(message.first, 1U);
  EXPECT_STREQ(record.code, "");
  EXPECT_EQ(+record.code_number, 0);
  EXPECT_EQ(+record.value3, 1);
  EXPECT_EQ(+record.value1 | record.value2 | record.value4 | record.value5, 0);
}

TEST_F(StatusPosterTest, ReportUsesTheFixedValues) {
  ASSERT_TRUE(poster_.PostReport("checker", "%d of %d", 3, 7));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  ExpectReportValues(message, *record);
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

// The string-table forms read the source of resources, here the resource
// test module (tests/platform/os/resource_module/resources.json).
class StatusPosterStringTableTest : public StatusPosterTest {
 protected:
  void SetUp() override {
    StatusPosterTest::SetUp();
    ASSERT_NE(module_.handle(), nullptr) << os_test::ResourceModulePath();
    original_source_ = os::SetResourceSource(module_.handle());
  }
  void TearDown() override {
    os::SetResourceSource(original_source_);
    StatusPosterTest::TearDown();
  }

  os_test::ResourceTestModule module_;
  os::ModuleHandle original_source_ = nullptr;
};

TEST_F(StatusPosterStringTableTest, FormatFromTheTableTakesTheArguments) {
  ASSERT_TRUE(poster_.PostFormattedFromStringTable("W7", 7, "checker", 4, 1, 2, 3, 4, 5, 17, 3, 7,
                                                   "names.nsf"));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(message.first, 4U);
  EXPECT_STREQ(record->message_text, "Checked 3 of 7 documents in names.nsf");
  EXPECT_STREQ(record->code, "W7");
  EXPECT_EQ(+record->code_number, 7);
  EXPECT_STREQ(record->source, "checker");
  EXPECT_EQ(+record->kind, 4);
  EXPECT_EQ(+record->value1, 1);
  EXPECT_EQ(+record->value5, 5);
}

TEST_F(StatusPosterStringTableTest, FormatFromTheTableIsCutToItsBuffer) {
  const std::string long_text(3000, 'z');
  ASSERT_TRUE(poster_.PostFormattedFromStringTable("C", 1, "s", 2, 0, 0, 0, 0, 0, 17, 1, 2,
                                                   long_text.c_str()));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(+record->message_length, StatusPoster::kMaxFormattedLength);
  EXPECT_EQ(std::string(record->message_text).rfind("Checked 1 of 2 documents in zzz", 0), 0U);
}

// Identifiers are 16 bits wide: 0x10001 must not read string 1.
TEST_F(StatusPosterStringTableTest, MissingFormatPostsEmptyText) {
  ASSERT_TRUE(poster_.PostFormattedFromStringTable("C", 1, "s", 2, 0, 0, 0, 0, 0, 300));
  ASSERT_TRUE(poster_.PostFormattedFromStringTable("C", 1, "s", 2, 0, 0, 0, 0, 0, 0x10001));
  for (int i = 0; i < 2; ++i) {
    os::WindowMessage message{};
    const OwnedStatusRecord record = Receive(&message);
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->message_text, "");
    EXPECT_EQ(+record->message_length, 0U);
  }
}

TEST_F(StatusPosterStringTableTest, ReportFromTheTableUsesTheFixedValues) {
  ASSERT_TRUE(poster_.PostReportFromStringTable("checker", 16));
  os::WindowMessage message{};
  const OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->message_text, "first of the second block");
  ExpectReportValues(message, *record);
  EXPECT_STREQ(record->source, "checker");
  EXPECT_STREQ(record->sender, "Repair service");
}

// With no arguments to read, "%%" still gives "%" and a conversion that
// would read one stays as it stands.
TEST_F(StatusPosterStringTableTest, ReportTextIsAFormatWithoutArguments) {
  ASSERT_TRUE(poster_.PostReportFromStringTable("s", 18));
  ASSERT_TRUE(poster_.PostReportFromStringTable("s", 17));
  os::WindowMessage message{};
  OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->message_text, "Done: 100% of %s");
  record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->message_text, "Checked %d of %d documents in %s");
}

TEST_F(StatusPosterStringTableTest, FormsFollowTheSourceOfResources) {
  const os_test::LibraryModule library;
  ASSERT_NE(library.handle(), nullptr);
  os::SetResourceSource(library.handle());
  ASSERT_TRUE(poster_.PostReportFromStringTable("s", 2));
  ASSERT_TRUE(poster_.PostFormattedFromStringTable("", 0, "s", 1, 0, 0, 0, 0, 0, 1, 80));
  os::SetResourceSource(module_.handle());
  os::WindowMessage message{};
  OwnedStatusRecord record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->message_text, "Invalid Date or Format");
  record = Receive(&message);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->message_text, "Max Length is 80");
}

TEST_F(StatusPosterStringTableTest, FailedPostsFreeTheirRecords) {
  const os::WindowHandle gone = os::CreateMessageWindow();
  os::DestroyMessageWindow(gone);
  poster_.Initialise("lost", gone, kStatusMessage);
  EXPECT_FALSE(poster_.PostFormattedFromStringTable("E", 1, "s", 1, 0, 0, 0, 0, 0, 17, 1, 2, "x"));
  EXPECT_FALSE(poster_.PostReportFromStringTable("s", 16));
}

TEST(StatusRecord, FieldsSitAtTheirOffsets) {
  EXPECT_EQ(offsetof(StatusRecord, code), 12U);
  EXPECT_EQ(offsetof(StatusRecord, sender), 26U);
  EXPECT_EQ(offsetof(StatusRecord, time), 154U);
  EXPECT_EQ(offsetof(StatusRecord, message_text), 182U);
  EXPECT_EQ(sizeof(StatusRecord), 182U + sizeof(char*) + 4U);
}

}  // namespace
}  // namespace quendral::util
