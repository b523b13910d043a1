#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/util/markup/markup_reference.h"
#include "util/markup/markup.h"

namespace quendral::util {
namespace {

std::string Encoded(std::string text) {
  EncodeEntities(text);
  return text;
}

std::string StepByStep(std::string text) {
  fixtures::EncodeEntitiesStepByStep(text);
  return text;
}

TEST(EncodeEntities, MarkupSpecialCharacters) {
  EXPECT_EQ(Encoded("A&B<C>"), "A&amp;B&lt;C&gt;");
  EXPECT_EQ(Encoded("say \"hi\""), "say &quot;hi&quot;");
  EXPECT_EQ(Encoded(""), "");
  EXPECT_EQ(Encoded("plain text"), "plain text");
}

TEST(EncodeEntities, ApostrophesAllComeOutPlain) {
  EXPECT_EQ(Encoded("it's"), "it's");
  EXPECT_EQ(Encoded("it\xB4s"), "it's");
  EXPECT_EQ(Encoded("it\x01\x25s"), "it's");
  // A literal reference is escaped like any other ampersand.
  EXPECT_EQ(Encoded("&apos;"), "&amp;apos;");
}

TEST(EncodeEntities, OpeningQuoteKeepsItsUnescapedAmpersand) {
  EXPECT_EQ(Encoded("\x01\x26quoted"), "&#8220;quoted");
  EXPECT_EQ(Encoded("&\x01\x26&"), "&amp;&#8220;&amp;");
}

TEST(EncodeEntities, TypographicSequences) {
  EXPECT_EQ(Encoded("\x9F"), "&#402;");
  EXPECT_EQ(Encoded("5\x14\x20\xAC"), "5&#8364;");
  EXPECT_EQ(Encoded("\x01\x76 \x01\x2A \x06\xE6\x06\xE7 \x08\x88\x03\x98"),
            "&#8482; &#8212; &#352;&#353; &#710;&#732;");
  // Incomplete sequences stay as they are.
  EXPECT_EQ(Encoded("\x14\x20x\x01"), "\x14\x20x\x01");
  EXPECT_EQ(Encoded("\x01\x01\x37"), "\x01&#8218;");
}

TEST(EncodeEntities, PlaceholderInTheTextBecomesABareAmpersand) {
  EXPECT_EQ(Encoded("a~|~b"), "a&b");
  EXPECT_EQ(Encoded("~|~apos;"), "'");
  EXPECT_EQ(Encoded("~|~|~"), "&|~");
  // A placeholder half written by the text swallows the opening quote's.
  EXPECT_EQ(Encoded("~|\x01\x26"), "&|~#8220;");
  EXPECT_EQ(Encoded("~|\x01\x25"), "&|~apos;");
  EXPECT_EQ(Encoded("~~|~|~~|\x01\x25"), "~&|~&|~apos;");
  EXPECT_EQ(Encoded("~|~'"), "&'");
}

TEST(EncodeEntities, MatchesTheStepByStepEncodingOnTrickyTexts) {
  for (const std::string text :
       {"~|~~|~|\x01\x25;;&apos;", "~|~apos", "apos;~|~apos;;", "\x01\x25\x01\x26~|~",
        "<'>\"&\xB4\x9F", "~\x01\x26|~", "~|~\x01\x26~|~apos;x", "&amp;apos;~"}) {
    EXPECT_EQ(Encoded(text), StepByStep(text)) << text;
  }
}

// Texts drawn from the bytes the steps care about, so that the interactions
// between them come up often.
TEST(EncodeEntities, MatchesTheStepByStepEncodingOnRandomTexts) {
  const std::string alphabet = std::string(
      "~|&;'\"<>apos#xAB\x01\x02\x03\x06\x08\x14\x20\x25\x26\x37\x7A"
      "\x88\x98\x9F\xAC\xB4\xE6\xE7",
      35);
  std::mt19937 random(11);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 24);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int i = length(random); i > 0; --i) {
      text.push_back(alphabet[pick(random)]);
    }
    ASSERT_EQ(Encoded(text), StepByStep(text)) << ::testing::PrintToString(text);
  }
}

}  // namespace
}  // namespace quendral::util
