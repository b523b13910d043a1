#include <gtest/gtest.h>

#include <string>

#include "util/markup/markup.h"

namespace quendral::util {
namespace {

TEST(StripMarkupTags, RemovesEachTagAndCountsIt) {
  std::string text = "a<b>c<d>e";
  EXPECT_EQ(StripMarkupTags(text), 2);
  EXPECT_EQ(text, "ace");
}

TEST(StripMarkupTags, TextWithoutTagsIsUnchanged) {
  std::string text = "a > b";
  EXPECT_EQ(StripMarkupTags(text), 0);
  EXPECT_EQ(text, "a > b");
  std::string empty;
  EXPECT_EQ(StripMarkupTags(empty), 0);
}

TEST(StripMarkupTags, NestedBracketsLeaveTheOuterClose) {
  std::string text = "x<<b>>y";
  EXPECT_EQ(StripMarkupTags(text), 1);
  EXPECT_EQ(text, "x>y");
}

TEST(StripMarkupTags, StopsAtAnOpenBracketWithoutClose) {
  std::string text = "<p>one<two";
  EXPECT_EQ(StripMarkupTags(text), 1);
  EXPECT_EQ(text, "one<two");
  std::string open_only = "a<b";
  EXPECT_EQ(StripMarkupTags(open_only), 0);
  EXPECT_EQ(open_only, "a<b");
}

TEST(StripMarkupTags, WholeTextCanBeTags) {
  std::string text = "<a><b></b></a>";
  EXPECT_EQ(StripMarkupTags(text), 4);
  EXPECT_EQ(text, "");
}

TEST(ParseHexPrefix, ReadsDigitsUntilTheFirstOther) {
  EXPECT_EQ(ParseHexPrefix("1aZ"), 26);
  EXPECT_EQ(ParseHexPrefix("FFff"), 0xFFFF);
  EXPECT_EQ(ParseHexPrefix("0x1F"), 0);
  EXPECT_EQ(ParseHexPrefix(" 1"), 0);
}

TEST(ParseHexPrefix, EmptyAndNullAreZero) {
  EXPECT_EQ(ParseHexPrefix(""), 0);
  EXPECT_EQ(ParseHexPrefix(nullptr), 0);
}

TEST(ParseHexPrefix, KeepsTheLastEightDigits) {
  EXPECT_EQ(ParseHexPrefix("FFFFFFFF"), -1);
  EXPECT_EQ(ParseHexPrefix("123456789"), 0x23456789);
  EXPECT_EQ(ParseHexPrefix("80000000"), INT32_MIN);
}

}  // namespace
}  // namespace quendral::util
