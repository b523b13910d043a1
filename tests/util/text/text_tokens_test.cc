// Splitting off tokens, searching backwards, formatting and system strings.
#include <gtest/gtest.h>

#include <string>

#include "platform/os/code_page.h"
#include "util/text/text.h"

namespace quendral::util {
namespace {

struct Popped {
  std::string token;
  std::string rest;
};

Popped Pop(std::string text, const std::string& separator, bool keep_leading) {
  std::string token = PopToken(&text, separator, keep_leading);
  return {token, text};
}

void ExpectPopped(const Popped& popped, const std::string& token, const std::string& rest) {
  EXPECT_EQ(popped.token, token);
  EXPECT_EQ(popped.rest, rest);
}

TEST(PopToken, DropsLeadingSeparatorsUnlessKept) {
  ExpectPopped(Pop(",,a,b", ",", false), "a", "b");
  ExpectPopped(Pop(",,a,b", ",", true), "", ",a,b");
}

TEST(PopToken, WithoutSeparatorTakesEverything) {
  ExpectPopped(Pop("abc", ",", false), "abc", "");
  ExpectPopped(Pop(",,,", ",", false), "", "");
  ExpectPopped(Pop("", ",", false), "", "");
}

TEST(PopToken, EmptySeparatorMeansComma) { ExpectPopped(Pop("a,b,c", "", false), "a", "b,c"); }

TEST(PopToken, LongSeparatorIsDroppedWholeAndNothingMore) {
  ExpectPopped(Pop("::a::bc", "::", false), "a", "bc");
  ExpectPopped(Pop("a<->b<->c", "<->", false), "a", "b<->c");
  ExpectPopped(Pop("<-><->abc", "<->", false), "abc", "");
  ExpectPopped(Pop("<-<->a", "<->", false), "<-", "a");
}

TEST(PopToken, RepeatedPopsWalkTheList) {
  std::string text = "one;two;;three";
  EXPECT_EQ(PopToken(&text, ";", false), "one");
  EXPECT_EQ(PopToken(&text, ";", false), "two");
  EXPECT_EQ(PopToken(&text, ";", false), "three");
  EXPECT_EQ(text, "");
}

TEST(ReverseFindText, FindsTheLastOccurrenceAtOrBeforeTheStart) {
  const std::string text = "abcabcabc";
  EXPECT_EQ(ReverseFindText(text, "abc", -1), 6);
  EXPECT_EQ(ReverseFindText(text, "abc", 6), 6);
  EXPECT_EQ(ReverseFindText(text, "abc", 5), 3);
  EXPECT_EQ(ReverseFindText(text, "abc", 0), 0);
  EXPECT_EQ(ReverseFindText(text, "bc", 0), -1);
  EXPECT_EQ(ReverseFindText(text, "c", 100), 8);
}

TEST(ReverseFindText, MissingOrEmptyGivesMinusOne) {
  EXPECT_EQ(ReverseFindText("abc", "x", -1), -1);
  EXPECT_EQ(ReverseFindText("", "a", -1), -1);
  EXPECT_EQ(ReverseFindText("abc", "", -1), -1);
  EXPECT_EQ(ReverseFindText("ab", "abc", -1), -1);
  EXPECT_EQ(ReverseFindText("abc", "a", -2), -1);
}

TEST(FormatToString, GrowsForLongTexts) {
  std::string text = "stale";
  FormatToString(&text, "%d-%s", 42, "x");
  EXPECT_EQ(text, "42-x");
  const std::string long_text(5000, 'q');
  FormatToString(&text, "[%s]", long_text.c_str());
  EXPECT_EQ(text, "[" + long_text + "]");
  FormatToString(&text, "%s", "");
  EXPECT_EQ(text, "");
}

TEST(ToSystemString, HoldsTheTextAsUtf16) {
  os::SystemString text = ToSystemString("Notes 8.5");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(os::SystemStringLength(text), 9U);
  EXPECT_EQ(text[0], u'N');
  EXPECT_EQ(text[8], u'5');
  EXPECT_EQ(text[9], u'\0');
  os::FreeSystemString(text);

  os::SystemString empty = ToSystemString("");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(os::SystemStringLength(empty), 0U);
  EXPECT_EQ(empty[0], u'\0');
  os::FreeSystemString(empty);
}

TEST(ToSystemString, TakesEveryByteFromWindows1252) {
  if (os::SystemTextCodePage() != 1252) {
    GTEST_SKIP() << "the system's code page is another";
  }
  // Registered and trade marks, micro sign, e acute, euro sign.
  os::SystemString text = ToSystemString("\xAE\x99\xB5\xE9\x80");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string(text, text + os::SystemStringLength(text)),
            u"\u00AE\u2122\u00B5\u00E9\u20AC");
  os::FreeSystemString(text);
}

}  // namespace
}  // namespace quendral::util
