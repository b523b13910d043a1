#include "platform/notes/api/item_values.h"

#include <gtest/gtest.h>

#include <optional>

namespace quendral::platform::values {
namespace {

TEST(TextList, RoundTripsTextsOfAnyBytes) {
  std::vector<std::string> texts = {"alpha", "", std::string("b\0c", 3), "\xA5\xA2"};
  Bytes value;
  ASSERT_EQ(EncodeTextList(texts, &value), kNoError);
  std::vector<std::string> decoded;
  ASSERT_EQ(DecodeTextList(value.data(), value.size(), &decoded), kNoError);
  EXPECT_EQ(decoded, texts);
}

TEST(TextList, LayoutIsCountThenLengthsThenTexts) {
  Bytes value;
  ASSERT_EQ(EncodeTextList({"ab", "c"}, &value), kNoError);
  EXPECT_EQ(value, (Bytes{2, 0, 2, 0, 1, 0, 'a', 'b', 'c'}));
}

TEST(TextList, EmptyValueIsAnEmptyList) {
  std::vector<std::string> decoded = {"stale"};
  EXPECT_EQ(DecodeTextList(nullptr, 0, &decoded), kNoError);
  EXPECT_TRUE(decoded.empty());
}

TEST(TextList, MalformedBytesAreRejected) {
  std::vector<std::string> decoded;
  const Bytes length_past_end = {1, 0, 200, 0, 'x'};
  EXPECT_EQ(DecodeTextList(length_past_end.data(), length_past_end.size(), &decoded),
            kErrItemValueInvalid);
  const Bytes count_past_end = {0xFF, 0xFF, 1, 0};
  EXPECT_EQ(DecodeTextList(count_past_end.data(), count_past_end.size(), &decoded),
            kErrItemValueInvalid);
  const Bytes trailing = {1, 0, 1, 0, 'x', 'y'};
  EXPECT_EQ(DecodeTextList(trailing.data(), trailing.size(), &decoded), kErrItemValueInvalid);
  const Bytes odd = {1};
  EXPECT_EQ(DecodeTextList(odd.data(), odd.size(), &decoded), kErrItemValueInvalid);
}

TEST(TextList, TooLongTextCannotBeEncoded) {
  Bytes value;
  EXPECT_EQ(EncodeTextList({std::string(0x10000, 'x')}, &value), kErrItemValueInvalid);
}

TEST(NumberList, RoundTripsAndReadsSingleNumbers) {
  Bytes value;
  ASSERT_EQ(EncodeNumberList({1, -2.5, 1e300}, &value), kNoError);
  EXPECT_EQ(value.size(), 4u + 3 * 8);
  std::vector<double> numbers;
  ASSERT_EQ(DecodeNumbers(kTypeNumberList, value.data(), value.size(), &numbers), kNoError);
  EXPECT_EQ(numbers, (std::vector<double>{1, -2.5, 1e300}));

  Bytes single = EncodeNumber(42);
  ASSERT_EQ(DecodeNumbers(kTypeNumber, single.data(), single.size(), &numbers), kNoError);
  EXPECT_EQ(numbers, std::vector<double>{42});
  EXPECT_EQ(DecodeNumbers(kTypeNumber, single.data(), 7, &numbers), kErrItemValueInvalid);
}

TEST(NumberList, MalformedBytesAreRejected) {
  std::vector<double> numbers;
  Bytes value;
  ASSERT_EQ(EncodeNumberList({1, 2}, &value), kNoError);
  EXPECT_EQ(DecodeNumbers(kTypeNumberList, value.data(), value.size() - 1, &numbers),
            kErrItemValueInvalid);
  value[2] = 1;  // a range count, which lists never have
  EXPECT_EQ(DecodeNumbers(kTypeNumberList, value.data(), value.size(), &numbers),
            kErrItemValueInvalid);
}

// Stored patterns read as they always have, zoned ones with their zone, and
// what is written reads back the same.
TEST(TimeList, StoredPatternsReadAsTheirTimes) {
  using formula::Zone;
  const struct {
    TIMEDATE stored;
    std::int64_t seconds;
    std::optional<Zone> zone;
  } cases[] = {
      {{{0x23456789, 0x00000001}}, 0x0000000123456789, std::nullopt},
      {{{0xFFFEAE80, 0xFFFFFFFF}}, -86400, std::nullopt},
      {{{0, 0x3FFFFFFF}}, 0x3FFFFFFF00000000, std::nullopt},
      {{{0, 0x80000000}}, std::int64_t{-0x7FFFFFFFFFFFFFFF} - 1, std::nullopt},
      // 2024-06-01T10:00:00 at +02:00 with daylight saving time.
      {{{0x665AF120, 0x41040000}}, 0x665AF120, Zone{60, true}},
      {{{0xFFFEAE80, 0x40F2FFFF}}, -86400, Zone{-210, false}},
      {{{0, 0x40C10000}}, 0, Zone{-945, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    formula::DateTime time;
    ASSERT_TRUE(FromTimedate(c.stored, &time));
    EXPECT_EQ(time.seconds, c.seconds);
    EXPECT_EQ(time.zone, c.zone);
    TIMEDATE written{};
    ASSERT_TRUE(ToTimedate(time, &written));
    EXPECT_EQ(written.Innards[0], c.stored.Innards[0]);
    EXPECT_EQ(written.Innards[1], c.stored.Innards[1]);
  }
}

TEST(TimeList, PatternsOfNoTimeAreInvalid) {
  for (const std::uint32_t high : {0x42000000u, 0x7E000000u, 0x40400000u, 0x40C00000u}) {
    SCOPED_TRACE(high);
    formula::DateTime time;
    EXPECT_FALSE(FromTimedate(TIMEDATE{{0, high}}, &time));
    Bytes value = {1, 0, 0, 0, 0, 0, 0, 0};
    for (int shift = 0; shift < 32; shift += 8) {
      value.push_back(static_cast<std::uint8_t>(high >> shift));
    }
    std::vector<formula::DateTime> times;
    EXPECT_EQ(DecodeTimeList(value.data(), value.size(), &times), kErrItemValueInvalid);
  }
}

TEST(TimeList, TimesBeyondTheLayoutAreNotStored) {
  const formula::DateTime cases[] = {
      formula::DateTime{std::int64_t{1} << 62},
      formula::DateTime{std::int64_t{1} << 47, formula::Zone{}},
      formula::DateTime{-(std::int64_t{1} << 47), formula::Zone{}},
      formula::DateTime{0, formula::Zone{10, false}},
  };
  for (const formula::DateTime& time : cases) {
    SCOPED_TRACE(time.seconds);
    Bytes value;
    EXPECT_EQ(EncodeTimeList({time}, &value), kErrItemValueInvalid);
  }
}

TEST(TimeList, RoundTrips) {
  std::vector<formula::DateTime> times = {formula::DateTime{0}, formula::DateTime{-1},
                                          formula::DateTime{983776089}};
  Bytes value;
  ASSERT_EQ(EncodeTimeList(times, &value), kNoError);
  std::vector<formula::DateTime> decoded;
  ASSERT_EQ(DecodeTimeList(value.data(), value.size(), &decoded), kNoError);
  EXPECT_EQ(decoded, times);
  EXPECT_EQ(DecodeTimeList(value.data(), value.size() - 4, &decoded), kErrItemValueInvalid);
}

TEST(RichText, RoundTripsParagraphs) {
  richtext::Paragraph paragraph;
  paragraph.runs.push_back(richtext::Run{richtext::Run::Kind::kText, "Hello", 0});
  Bytes value = EncodeRichText({paragraph, paragraph});
  std::vector<richtext::Paragraph> decoded;
  ASSERT_EQ(DecodeRichText(value.data(), value.size(), &decoded), kNoError);
  ASSERT_EQ(decoded.size(), 2u);
  EXPECT_EQ(decoded[0].Text(), "Hello");
  const Bytes garbage = {0x82, 0xFF, 0xFF, 0x7F};
  EXPECT_EQ(DecodeRichText(garbage.data(), garbage.size(), &decoded), kErrItemValueInvalid);
}

TEST(FormulaValues, MapToListTypes) {
  std::uint16_t type = 0;
  Bytes bytes;
  ASSERT_EQ(EncodeFormulaValue(formula::Value::Numbers({1, 2}), &type, &bytes), kNoError);
  EXPECT_EQ(type, kTypeNumberList);
  formula::Value back;
  ASSERT_EQ(DecodeFormulaValue(type, bytes.data(), bytes.size(), &back), kNoError);
  EXPECT_EQ(back, formula::Value::Numbers({1, 2}));

  ASSERT_EQ(EncodeFormulaValue(formula::Value::Time(formula::DateTime{5}), &type, &bytes),
            kNoError);
  EXPECT_EQ(type, kTypeTimeList);
  EXPECT_EQ(DecodeFormulaValue(kTypeCompositeText, bytes.data(), bytes.size(), &back),
            kErrItemTypeMismatch);
}

}  // namespace
}  // namespace quendral::platform::values
