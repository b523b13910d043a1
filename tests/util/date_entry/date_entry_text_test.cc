// Normalising and checking the text typed into a date field.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/date_entry/date_entry.h"

namespace quendral::util {
namespace {

struct Normalised {
  int result;
  std::string text;
};

Normalised Normalise(std::string text) {
  const int result = NormaliseDateText(text);
  return {result, text};
}

TEST(NormaliseDateText, GivesDigitRunsTheirSeparators) {
  EXPECT_EQ(Normalise("022509").text, "02/25/09");
  EXPECT_EQ(Normalise("022509").result, 1);
  EXPECT_EQ(Normalise("02252009").text, "02/25/2009");
  EXPECT_EQ(Normalise("0225200").text, "02/25/200");
  EXPECT_EQ(Normalise("02252009123").text, "02/25/2009123");
}

TEST(NormaliseDateText, LeavesOtherLengthsAlone) {
  for (const char* text : {"", "12345", "123456789012"}) {
    const Normalised normalised = Normalise(text);
    EXPECT_EQ(normalised.result, 0) << text;
    EXPECT_EQ(normalised.text, text);
  }
}

TEST(NormaliseDateText, LeavesTextWithAnySeparatorAlone) {
  for (const char* text : {"02/25/09", "0225-2009", "02.252009", "022509/"}) {
    const Normalised normalised = Normalise(text);
    EXPECT_EQ(normalised.result, 0) << text;
    EXPECT_EQ(normalised.text, text);
  }
}

TEST(NormaliseDateText, DoesNotLookAtTheCharacters) {
  EXPECT_EQ(Normalise("ab cd ef").text, "ab/ c/d ef");
}

TEST(NormaliseDateTextBuffer, RewritesInPlaceWhenTheResultFits) {
  char buffer[11] = "02252009";
  EXPECT_EQ(NormaliseDateText(buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "02/25/2009");
}

TEST(NormaliseDateTextBuffer, NeverWritesPastTheBuffer) {
  char buffer[12];
  std::memset(buffer, '#', sizeof buffer);
  std::memcpy(buffer, "02252009", 9);
  EXPECT_EQ(NormaliseDateText(buffer, 10), 0);
  EXPECT_STREQ(buffer, "02252009");
  EXPECT_EQ(buffer[9], '#');
  EXPECT_EQ(buffer[10], '#');
}

TEST(NormaliseDateTextBuffer, RefusesAnUnterminatedBuffer) {
  char buffer[6] = {'0', '2', '2', '5', '0', '9'};
  EXPECT_EQ(NormaliseDateText(buffer, sizeof buffer), 0);
  EXPECT_EQ(std::string(buffer, sizeof buffer), "022509");
  EXPECT_EQ(NormaliseDateText(nullptr, 10), 0);
}

TEST(IsValidDateText, EmptyFieldIsAcceptable) {
  EXPECT_EQ(IsValidDateText(""), 1);
  EXPECT_EQ(IsValidDateText(nullptr), 1);
}

TEST(IsValidDateText, AcceptsDatesInMonthDayYearOrder) {
  EXPECT_EQ(IsValidDateText("2/2/09"), 1);
  EXPECT_EQ(IsValidDateText("02/25/2009"), 1);
  EXPECT_EQ(IsValidDateText("02-25-2009"), 1);
  EXPECT_EQ(IsValidDateText("02.25.2009"), 1);
  EXPECT_EQ(IsValidDateText("02/29/2008"), 1);
  EXPECT_EQ(IsValidDateText("25/02/2009"), 0);
  EXPECT_EQ(IsValidDateText("02/30/2009"), 0);
  EXPECT_EQ(IsValidDateText("02/29/1900"), 0);
}

TEST(IsValidDateText, JudgesADigitRunAsTheDateItNormalisesTo) {
  EXPECT_EQ(IsValidDateText("02252009"), 1);
  EXPECT_EQ(IsValidDateText("022509"), 1);
  EXPECT_EQ(IsValidDateText("02302009"), 0);
  EXPECT_EQ(IsValidDateText("123456789012"), 0);
}

TEST(IsValidDateText, RefusesShortTextAndForeignCharacters) {
  EXPECT_EQ(IsValidDateText("2/2/9"), 0);
  EXPECT_EQ(IsValidDateText("02 25 2009"), 0);
  EXPECT_EQ(IsValidDateText("02/25/2009 "), 0);
  EXPECT_EQ(IsValidDateText("+2/25/2009"), 0);
  EXPECT_EQ(IsValidDateText("Feb/25/2009"), 0);
}

TEST(IsValidDateText, NeverChangesTheCallersText) {
  const char text[] = "02252009";
  char copy[sizeof text];
  std::memcpy(copy, text, sizeof text);
  IsValidDateText(copy);
  EXPECT_STREQ(copy, text);
}

TEST(IsValidDateText, HugeNumbersAreMerelyInvalid) {
  EXPECT_EQ(IsValidDateText("99999999999999999999/1/2009"), 0);
  EXPECT_EQ(IsValidDateText("1/1/99999999999999999999"), 0);
}

}  // namespace
}  // namespace quendral::util
