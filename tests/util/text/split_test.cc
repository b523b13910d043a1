#include "util/text/split.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/text_code_page.h"

namespace quendral::util {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Split(const std::string& text, const std::string& delimiter,
                               bool keep_empty, bool trim) {
  std::vector<std::string> pieces;
  SplitDelimited(text, delimiter, &pieces, keep_empty, trim);
  return pieces;
}

// In code page 932 0x95 0x5C is one character (a kanji) whose second byte
// is the backslash; in a single-byte code page they are two characters.
TEST(SplitDelimitedTest, SecondByteOfADoubleByteCharacterDoesNotCut) {
  EXPECT_THAT(Split("a\x95\\b", "\\", false, false), ElementsAre("a\x95", "b"));
  const quendral::fixtures::TextCodePage japanese(932);
  EXPECT_THAT(Split("a\x95\\b\\c", "\\", false, false), ElementsAre("a\x95\\b", "c"));
  EXPECT_THAT(Split("\x95\x95\\x\\", "\\", true, false), ElementsAre("\x95\x95", "x"));
  EXPECT_THAT(Split("a\\\x95", "\\", false, false), ElementsAre("a", "\x95"));
}

TEST(SplitDelimitedTest, TrailingDelimiterNeverAddsAnEmptyRemainder) {
  EXPECT_THAT(Split("A;B;", ";", false, false), ElementsAre("A", "B"));
  EXPECT_THAT(Split("A;B;", ";", true, false), ElementsAre("A", "B"));
}

TEST(SplitDelimitedTest, LeadingEmptyPieceKeptOnlyWhenAsked) {
  EXPECT_THAT(Split(";A", ";", true, false), ElementsAre("", "A"));
  EXPECT_THAT(Split(";A", ";", false, false), ElementsAre("A"));
}

TEST(SplitDelimitedTest, EmptyPiecesBetweenDelimitersFollowKeepEmpty) {
  EXPECT_THAT(Split("A;;B", ";", true, false), ElementsAre("A", "", "B"));
  EXPECT_THAT(Split("A;;B", ";", false, false), ElementsAre("A", "B"));
}

TEST(SplitDelimitedTest, BlankPieceTrimsToEmptyAndIsStillAppended) {
  EXPECT_THAT(Split("A;  ;B", ";", false, true), ElementsAre("A", "", "B"));
  EXPECT_THAT(Split("A; \t", ";", false, true), ElementsAre("A", ""));
}

TEST(SplitDelimitedTest, TrimStripsEveryKindOfWhiteSpaceOnBothSides) {
  EXPECT_THAT(Split(" \t\r\nA B\v\f ;  C  ", ";", false, true), ElementsAre("A B", "C"));
  EXPECT_THAT(Split(" A ; B ", ";", false, false), ElementsAre(" A ", " B "));
}

TEST(SplitDelimitedTest, MultiCharacterDelimiterMatchedWholeLeftToRight) {
  EXPECT_THAT(Split("a::b:c", "::", false, false), ElementsAre("a", "b:c"));
  // ";;;" holds two overlapping ";;": only the leftmost one cuts.
  EXPECT_THAT(Split("a;;;b", ";;", true, false), ElementsAre("a", ";b"));
  EXPECT_THAT(Split("a;;;;b", ";;", true, false), ElementsAre("a", "", "b"));
}

TEST(SplitDelimitedTest, EmptyDelimiterMeansComma) {
  EXPECT_THAT(Split("a,b;c", "", false, false), ElementsAre("a", "b;c"));
}

TEST(SplitDelimitedTest, EmptyTextYieldsNothing) {
  EXPECT_THAT(Split("", ";", true, true), IsEmpty());
}

TEST(SplitDelimitedTest, TextWithoutDelimiterIsOnePiece) {
  EXPECT_THAT(Split("  one  ", ";", false, true), ElementsAre("one"));
}

TEST(SplitDelimitedTest, TextOfOnlyDelimiters) {
  EXPECT_THAT(Split(";;", ";", true, false), ElementsAre("", ""));
  EXPECT_THAT(Split(";;", ";", false, false), IsEmpty());
}

TEST(SplitDelimitedTest, AppendsAfterExistingPieces) {
  std::vector<std::string> pieces = {"kept"};
  SplitDelimited("x;y", ";", &pieces, false, false);
  EXPECT_THAT(pieces, ElementsAre("kept", "x", "y"));
}

TEST(SplitDelimitedTest, ReplicaIdListAsTheLinkRepairSplitsIt) {
  EXPECT_THAT(Split(" 0123ABCD:89ABCDEF ;; 00000001:00000002;;", ";", false, true),
              ElementsAre("0123ABCD:89ABCDEF", "00000001:00000002"));
}

TEST(SplitDelimitedTest, BytesAboveAsciiAreOrdinaryCharacters) {
  EXPECT_THAT(Split("\xE4\xA0;\xFF ", ";", false, true), ElementsAre("\xE4\xA0", "\xFF"));
}

TEST(SplitDelimitedTest, EmbeddedZeroBytesArePartOfTheText) {
  const std::string text("a\0b;c", 5);
  EXPECT_THAT(Split(text, ";", false, false), ElementsAre(std::string("a\0b", 3), "c"));
}

TEST(SplitDelimitedTest, SplittingAnElementOfTheOutputItselfIsSafe) {
  std::vector<std::string> pieces = {"a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q;r"};
  pieces.shrink_to_fit();
  SplitDelimited(pieces[0], ";", &pieces, false, false);
  ASSERT_EQ(pieces.size(), 19u);
  EXPECT_EQ(pieces[1], "a");
  EXPECT_EQ(pieces[18], "r");
}

}  // namespace
}  // namespace quendral::util
