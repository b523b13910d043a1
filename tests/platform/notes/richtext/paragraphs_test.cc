#include "platform/notes/richtext/paragraphs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/notes/richtext/record_bytes.h"
#include "platform/notes/richtext/records.h"

namespace quendral::platform::richtext {
namespace {

using fixtures::ValueBytes;

Run Text(std::string text) { return Run{Run::Kind::kText, std::move(text), 0}; }
Run Link(std::uint16_t index) { return Run{Run::Kind::kLink, {}, index}; }

Paragraph Plain(std::vector<Run> runs) {
  Paragraph paragraph;
  paragraph.runs = std::move(runs);
  return paragraph;
}

Paragraph Hidden(std::vector<Run> runs, std::vector<std::uint8_t> area) {
  Paragraph paragraph = Plain(std::move(runs));
  paragraph.has_hide_when = true;
  paragraph.hide_when_area = std::move(area);
  return paragraph;
}

// Also checks that reading the hide-when areas alone gives the same areas.
std::vector<Paragraph> RoundTrip(const std::vector<Paragraph>& paragraphs) {
  const std::vector<std::uint8_t> value = BuildRichText(paragraphs);
  std::vector<Paragraph> read;
  EXPECT_TRUE(ReadParagraphs(value.data(), value.size(), &read));
  std::vector<std::span<const std::uint8_t>> areas;
  EXPECT_TRUE(ReadHideWhenAreas(value.data() + 2, value.size() - 2, &areas));
  EXPECT_EQ(areas.size(), read.size());
  for (std::size_t i = 0; i < std::min(areas.size(), read.size()); ++i) {
    EXPECT_TRUE(std::ranges::equal(areas[i], read[i].hide_when_area)) << i;
  }
  return read;
}

struct Counts {
  int definitions = 0;
  int hide_whens = 0;
  int starts = 0;
  int text_runs = 0;
  int long_text_runs = 0;
  int links = 0;
};

STATUS Count(char* /*record*/, std::uint16_t signature, std::uint32_t /*length*/, void* context) {
  auto* counts = static_cast<Counts*>(context);
  switch (signature) {
    case kSignatureParagraphDefinition:
      ++counts->definitions;
      break;
    case kSignatureHideWhen:
      ++counts->hide_whens;
      break;
    case kSignatureParagraphStart:
      ++counts->starts;
      break;
    case kSignatureTextRun:
      ++counts->text_runs;
      break;
    case kSignatureLongTextRun:
      ++counts->long_text_runs;
      break;
    case kSignatureLinkReference:
      ++counts->links;
      break;
    default:
      ADD_FAILURE() << "unexpected signature " << signature;
  }
  return kNoError;
}

Counts CountRecords(std::vector<std::uint8_t> value) {
  Counts counts;
  EXPECT_EQ(
      EnumerateCompositeRecords(reinterpret_cast<char*>(value.data()),
                                static_cast<std::uint32_t>(value.size() - 2), &Count, &counts),
      kNoError);
  return counts;
}

TEST(BuildRichTextTest, EveryParagraphGetsItsOwnDefinition) {
  const Counts counts = CountRecords(
      BuildRichText({Plain({Text("one"), Link(3)}), Hidden({Text("two")}, {1, 2, 3}), Plain({})}));
  EXPECT_EQ(counts.definitions, 3);
  EXPECT_EQ(counts.starts, 3);
  EXPECT_EQ(counts.hide_whens, 1);
  EXPECT_EQ(counts.text_runs, 2);
  EXPECT_EQ(counts.links, 1);
}

TEST(BuildRichTextTest, EmptyDocumentIsTheTypeWordAlone) {
  EXPECT_EQ(BuildRichText({}), ValueBytes({}));
}

TEST(BuildRichTextTest, HideWhenRecordNamesItsDefinitionAndHoldsTheArea) {
  const std::vector<std::uint8_t> value = BuildRichText({Hidden({}, {0xA1, 0xA2, 0xA3})});
  // Definition 0, hide-when of 12 + 3 bytes plus pad, paragraph start.
  EXPECT_EQ(value, ValueBytes({0x82, 0xFF, 6, 0, 0, 0,    0xBB, 0xFF, 15, 0,    0,    0, 0,
                               0,    0,    0, 0, 0, 0xA1, 0xA2, 0xA3, 0,  0x81, 0x04, 0, 0}));
}

TEST(BuildRichTextTest, TooLongHideWhenAreaIsRefused) {
  const std::vector<std::uint8_t> area(0xFFFF - kHideWhenFixedPartLength + 1, 0);
  EXPECT_THROW(BuildRichText({Hidden({}, area)}), std::length_error);
}

TEST(ParagraphRoundTripTest, TextLinksAndHideWhenSurvive) {
  const std::vector<Paragraph> paragraphs = {
      Plain({Text("Dear "), Link(0), Text(" reader,")}),
      Hidden({Text("secret")}, {0x10, 0x20, 0x30, 0x40, 0x50}),
      Plain({}),
      Plain({Text(""), Text("odd"), Link(65535)}),
  };
  EXPECT_EQ(RoundTrip(paragraphs), paragraphs);
}

TEST(ParagraphRoundTripTest, EmptyAndOddHideWhenAreasKeepTheirExactBytes) {
  const std::vector<Paragraph> paragraphs = {Hidden({Text("a")}, {}), Hidden({Text("b")}, {0x7F}),
                                             Hidden({}, std::vector<std::uint8_t>(65523, 0x11))};
  EXPECT_EQ(RoundTrip(paragraphs), paragraphs);
}

TEST(ParagraphRoundTripTest, TextTooLongForASixteenBitLengthUsesTheLongForm) {
  const std::string boundary(0xFFFF - 4, 'b');
  const std::string long_text(0xFFFF - 3, 'L');
  const std::vector<Paragraph> paragraphs = {Plain({Text(boundary)}), Plain({Text(long_text)})};
  const Counts counts = CountRecords(BuildRichText(paragraphs));
  EXPECT_EQ(counts.text_runs, 1);
  EXPECT_EQ(counts.long_text_runs, 1);
  EXPECT_EQ(RoundTrip(paragraphs), paragraphs);
}

TEST(ParagraphRoundTripTest, DefinitionIdsWrapWithoutMixingUpHideWhens) {
  std::vector<Paragraph> paragraphs(70000);
  paragraphs[5] = Hidden({Text("early")}, {5});
  paragraphs[65536 + 5] = Plain({Text("late, same ID, visible")});
  paragraphs[69999] = Hidden({}, {9, 9});
  EXPECT_EQ(RoundTrip(paragraphs), paragraphs);
}

TEST(ReadParagraphsTest, HideWhenAfterTheParagraphStartStillBelongsToIt) {
  const std::vector<std::uint8_t> value =
      ValueBytes({0x82, 0xFF, 6,  0, 4, 0,  // definition 4
                  0x81, 0x04, 4,  0,        // paragraph start, definition 4
                  0xBB, 0xFF, 13, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0xEE, 0});
  std::vector<Paragraph> read;
  ASSERT_TRUE(ReadParagraphs(value.data(), value.size(), &read));
  EXPECT_EQ(read, (std::vector<Paragraph>{Hidden({}, {0xEE})}));
}

TEST(ReadParagraphsTest, UnknownRecordsAreSkipped) {
  const std::vector<std::uint8_t> value =
      ValueBytes({0x82, 0xFF, 6, 0, 0, 0, 0x81, 0x04, 0, 0, 0x99, 0x02, 0x42, 0xFF, 5, 0, 7, 0});
  std::vector<Paragraph> read;
  ASSERT_TRUE(ReadParagraphs(value.data(), value.size(), &read));
  EXPECT_EQ(read, (std::vector<Paragraph>{Plain({})}));
}

TEST(ReadParagraphsTest, MalformedValuesFailAndLeaveTheOutputAlone) {
  const std::vector<std::vector<std::uint8_t>> bad = {
      {},
      {0x01},
      ValueBytes({0x82, 0xFF, 6, 0, 0, 0, 0x81, 0x04, 0, 0}, 0x0007),  // not rich text
      ValueBytes({0x85, 0xFF, 5, 0, 'x', 0}),                          // run before a paragraph
      ValueBytes({0x81, 0x04, 0, 0}),                                  // start without definition
      ValueBytes({0xBB, 0xFF, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0}),         // hide-when likewise
      ValueBytes({0x82, 0xFF, 4, 0}),                                  // definition without ID
      ValueBytes({0x82, 0xFF, 6, 0, 0, 0, 0x81, 0x04, 0, 0, 0x86, 0xFF, 4, 0}),  // link, no index
      ValueBytes({0x82, 0xFF, 6, 0, 0, 0, 0x81, 0x04, 0, 0, 0x85, 0xFF, 9, 0, 'x'}),  // truncated
  };
  constexpr std::size_t kFirstBadRecords = 3;  // the others are no rich-text value at all
  for (std::size_t i = 0; i < bad.size(); ++i) {
    std::vector<Paragraph> read = {Plain({Text("untouched")})};
    EXPECT_FALSE(ReadParagraphs(bad[i].data(), bad[i].size(), &read)) << i;
    EXPECT_EQ(read, (std::vector<Paragraph>{Plain({Text("untouched")})})) << i;
    if (i < kFirstBadRecords) {
      continue;
    }
    std::vector<std::span<const std::uint8_t>> areas(1);
    EXPECT_FALSE(ReadHideWhenAreas(bad[i].data() + 2, bad[i].size() - 2, &areas)) << i;
    EXPECT_EQ(areas.size(), 1U) << i;
  }
}

TEST(PlainTextTest, EndsEveryParagraphWithNewlineAndSkipsLinks) {
  EXPECT_EQ(PlainText({Plain({Text("a"), Link(1), Text("b")}), Plain({}), Hidden({Text("c")}, {})}),
            "ab\n\nc\n");
  EXPECT_EQ(PlainText({}), "");
}

}  // namespace
}  // namespace quendral::platform::richtext
