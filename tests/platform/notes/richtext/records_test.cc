#include "platform/notes/richtext/records.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/notes/richtext/record_bytes.h"

namespace quendral::platform::richtext {
namespace {

using fixtures::ExactBuffer;
using fixtures::ValueBytes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Seen {
  std::ptrdiff_t offset;  // from the start of the value block
  std::uint16_t signature;
  std::uint32_t length;
  bool operator==(const Seen&) const = default;
};

struct Walk {
  char* value = nullptr;
  std::vector<Seen> seen;
  STATUS stop_with = kNoError;
  std::size_t stop_after = SIZE_MAX;
};

STATUS Record(char* record, std::uint16_t signature, std::uint32_t length, void* context) {
  auto* walk = static_cast<Walk*>(context);
  walk->seen.push_back({record - walk->value, signature, length});
  if (walk->seen.size() >= walk->stop_after) {
    return walk->stop_with;
  }
  return kNoError;
}

struct Result {
  STATUS status;
  std::vector<Seen> seen;
};

Result Enumerate(const std::vector<std::uint8_t>& bytes) {
  ExactBuffer buffer(bytes);
  Walk walk;
  walk.value = buffer.data();
  const STATUS status =
      EnumerateCompositeRecords(buffer.data(), buffer.records_length(), &Record, &walk);
  return {status, walk.seen};
}

TEST(RecordFramingTest, HighByteIsTheLengthOfShortRecords) {
  const Result result = Enumerate(ValueBytes({0x81, 0x04, 0x07, 0x00, 0x93, 0x02}));
  EXPECT_EQ(result.status, kNoError);
  EXPECT_THAT(result.seen, ElementsAre(Seen{2, 0x0481, 4}, Seen{6, 0x0293, 2}));
}

TEST(RecordFramingTest, HighByteFFTakesASixteenBitLength) {
  const Result result =
      Enumerate(ValueBytes({0x85, 0xFF, 0x06, 0x00, 'h', 'i', 0x82, 0xFF, 0x06, 0x00, 1, 0}));
  EXPECT_EQ(result.status, kNoError);
  EXPECT_THAT(result.seen, ElementsAre(Seen{2, 0xFF85, 6}, Seen{8, 0xFF82, 6}));
}

TEST(RecordFramingTest, HighByteZeroTakesAThirtyTwoBitLength) {
  const Result result =
      Enumerate(ValueBytes({0x85, 0x00, 0x08, 0x00, 0x00, 0x00, 'h', 'i', 0x81, 0x04, 0, 0}));
  EXPECT_EQ(result.status, kNoError);
  EXPECT_THAT(result.seen, ElementsAre(Seen{2, 0x0085, 8}, Seen{10, 0x0481, 4}));
}

TEST(RecordFramingTest, OddLengthRecordIsFollowedByAPadByte) {
  const Result result = Enumerate(
      ValueBytes({0x85, 0xFF, 0x05, 0x00, 'x', 0xEE, 0x03, 0x03, 0xAA, 0xEE, 0x81, 0x04, 0, 0}));
  EXPECT_EQ(result.status, kNoError);
  EXPECT_THAT(result.seen,
              ElementsAre(Seen{2, 0xFF85, 5}, Seen{8, 0x0303, 3}, Seen{12, 0x0481, 4}));
}

TEST(RecordFramingTest, LastOddRecordMayLackItsPadByte) {
  const Result result = Enumerate(ValueBytes({0x85, 0xFF, 0x05, 0x00, 'x'}));
  EXPECT_EQ(result.status, kNoError);
  EXPECT_THAT(result.seen, ElementsAre(Seen{2, 0xFF85, 5}));
}

TEST(RecordFramingTest, EmptyRichTextHasNoRecords) {
  const Result result = Enumerate(ValueBytes({}));
  EXPECT_EQ(result.status, kNoError);
  EXPECT_THAT(result.seen, IsEmpty());
}

TEST(RecordEnumerationTest, ValuesThatAreNotRichTextReportNoRecords) {
  for (const std::uint16_t type : {0x0007, 0x0501, 0x0300, 0x0100}) {
    const Result result = Enumerate(ValueBytes({0x81, 0x04, 0x00, 0x00}, type));
    EXPECT_EQ(result.status, kNoError) << type;
    EXPECT_THAT(result.seen, IsEmpty()) << type;
  }
}

TEST(RecordEnumerationTest, StopsAtRecordRunningPastTheEnd) {
  const Result sixteen = Enumerate(ValueBytes({0x81, 0x04, 0, 0, 0x85, 0xFF, 0x08, 0x00, 'a'}));
  EXPECT_EQ(sixteen.status, kErrCompositeRecordInvalid);
  EXPECT_THAT(sixteen.seen, ElementsAre(Seen{2, 0x0481, 4}));

  const Result short_form = Enumerate(ValueBytes({0x81, 0x06, 0, 0}));
  EXPECT_EQ(short_form.status, kErrCompositeRecordInvalid);

  const Result huge = Enumerate(ValueBytes({0x85, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}));
  EXPECT_EQ(huge.status, kErrCompositeRecordInvalid);
  EXPECT_THAT(huge.seen, IsEmpty());
}

TEST(RecordEnumerationTest, StopsAtZeroLengthRecordInsteadOfLooping) {
  EXPECT_EQ(Enumerate(ValueBytes({0x85, 0xFF, 0x00, 0x00})).status, kErrCompositeRecordInvalid);
  EXPECT_EQ(Enumerate(ValueBytes({0x85, 0x00, 0, 0, 0, 0})).status, kErrCompositeRecordInvalid);
}

TEST(RecordEnumerationTest, StopsAtRecordShorterThanItsHeader) {
  EXPECT_EQ(Enumerate(ValueBytes({0x85, 0xFF, 0x03, 0x00})).status, kErrCompositeRecordInvalid);
  EXPECT_EQ(Enumerate(ValueBytes({0x85, 0x00, 0x05, 0, 0, 0})).status, kErrCompositeRecordInvalid);
  EXPECT_EQ(Enumerate(ValueBytes({0x33, 0x01})).status, kErrCompositeRecordInvalid);
}

TEST(RecordEnumerationTest, StopsAtHeaderCutOffByTheEnd) {
  EXPECT_EQ(Enumerate(ValueBytes({0x81})).status, kErrCompositeRecordInvalid);
  EXPECT_EQ(Enumerate(ValueBytes({0x85, 0xFF, 0x06})).status, kErrCompositeRecordInvalid);
  EXPECT_EQ(Enumerate(ValueBytes({0x85, 0x00, 0x06, 0x00, 0x00})).status,
            kErrCompositeRecordInvalid);
}

TEST(RecordEnumerationTest, HideWhenRecordMustHoldItsFixedPart) {
  const Result truncated = Enumerate(ValueBytes({0xBB, 0xFF, 0x06, 0x00, 0x00, 0x00}));
  EXPECT_EQ(truncated.status, kErrCompositeRecordInvalid);
  EXPECT_THAT(truncated.seen, IsEmpty());

  const Result bare = Enumerate(ValueBytes({0xBB, 0xFF, 0x0C, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(bare.status, kNoError);
  EXPECT_THAT(bare.seen, ElementsAre(Seen{2, 0xFFBB, 12}));
}

TEST(RecordEnumerationTest, ActionStatusStopsTheWalk) {
  ExactBuffer buffer(ValueBytes({0x81, 0x04, 0, 0, 0x81, 0x04, 0, 0, 0x81, 0x04, 0, 0}));
  Walk walk;
  walk.value = buffer.data();
  walk.stop_after = 2;
  walk.stop_with = kErrItemValueInvalid;
  EXPECT_EQ(EnumerateCompositeRecords(buffer.data(), buffer.records_length(), &Record, &walk),
            kErrItemValueInvalid);
  EXPECT_EQ(walk.seen.size(), 2u);
}

STATUS OverwriteBody(char* record, std::uint16_t /*signature*/, std::uint32_t length,
                     void* /*context*/) {
  for (std::uint32_t i = 4; i < length; ++i) {
    record[i] = '*';
  }
  return kNoError;
}

TEST(RecordEnumerationTest, ActionsWriteIntoTheValueInPlace) {
  ExactBuffer buffer(ValueBytes({0x85, 0xFF, 0x07, 0x00, 'a', 'b', 'c', 0x00}));
  ASSERT_EQ(
      EnumerateCompositeRecords(buffer.data(), buffer.records_length(), &OverwriteBody, nullptr),
      kNoError);
  EXPECT_EQ(std::string(buffer.data() + 6, 4), std::string("***\0", 4));
}

TEST(RecordEnumerationTest, NullValueReportsNoRecords) {
  EXPECT_EQ(EnumerateCompositeRecords(nullptr, 0, &OverwriteBody, nullptr), kNoError);
}

}  // namespace
}  // namespace quendral::platform::richtext
