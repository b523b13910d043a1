#include "platform/notes/api/item_values.h"

#include <gtest/gtest.h>

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

TEST(TimeList, SecondsAreSplitLowWordFirst) {
  formula::DateTime time{0x0000000123456789};
  TIMEDATE timedate = ToTimedate(time);
  EXPECT_EQ(timedate.Innards[0], 0x23456789u);
  EXPECT_EQ(timedate.Innards[1], 0x00000001u);
  EXPECT_EQ(FromTimedate(timedate), time);
  EXPECT_EQ(FromTimedate(ToTimedate(formula::DateTime{-86400})).seconds, -86400);
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
