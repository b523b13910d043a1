// Trimming a character from the ends of a text, and joining lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/text/text.h"

namespace quendral::util {
namespace {

std::string Trimmed(const std::string& source, char mode, char character) {
  std::string output = "stale";
  TrimCharacterInString(source, &output, mode, character);
  return output;
}

TEST(TrimCharacterInString, ModesPickTheEnds) {
  EXPECT_EQ(Trimmed("xxaxx", 'B', 'x'), "a");
  EXPECT_EQ(Trimmed("xxaxx", 'L', 'x'), "axx");
  EXPECT_EQ(Trimmed("xxaxx", 'T', 'x'), "xxa");
  EXPECT_EQ(Trimmed("xxa", 'T', 'x'), "xxa");
  EXPECT_EQ(Trimmed("xxaxx", 'b', 'x'), "a");
  EXPECT_EQ(Trimmed("xxaxx", 'l', 'x'), "axx");
  EXPECT_EQ(Trimmed("xxaxx", 't', 'x'), "xxa");
}

TEST(TrimCharacterInString, UnknownModeRemovesNothing) {
  EXPECT_EQ(Trimmed("xxaxx", 'Q', 'x'), "xxaxx");
}

TEST(TrimCharacterInString, TextOfOnlyTheCharacterBecomesEmpty) {
  EXPECT_EQ(Trimmed("xxx", 'B', 'x'), "");
  EXPECT_EQ(Trimmed("xxx", 'T', 'x'), "");
  EXPECT_EQ(Trimmed("xxx", 'L', 'x'), "");
  EXPECT_EQ(Trimmed("", 'B', 'x'), "");
}

TEST(TrimCharacterInString, TabOrLineFeedEndsTheText) {
  EXPECT_EQ(Trimmed("ab\tcd", 'B', 'x'), "ab");
  EXPECT_EQ(Trimmed("xab\ncd", 'B', 'x'), "ab");
  EXPECT_EQ(Trimmed("xax\tx", 'T', 'x'), "xa");
  EXPECT_EQ(Trimmed(std::string("ax\0b", 4), 'T', 'x'), "a");
}

TEST(TrimCharacterInString, SourceIsLeftWholeUnlessItIsTheOutput) {
  const std::string source = "  a b\tc  ";
  std::string output;
  TrimCharacterInString(source, &output, 'B', ' ');
  EXPECT_EQ(output, "a b");
  EXPECT_EQ(source, "  a b\tc  ");

  std::string in_place = "  a b\tc  ";
  TrimCharacterInString(in_place, &in_place, 'B', ' ');
  EXPECT_EQ(in_place, "a b");
}

TEST(TrimCharacter, BufferIsCutAtEveryTabAndLineFeed) {
  char source[] = "xab\tcd\nex";
  char output[sizeof(source)];
  TrimCharacter(source, output, 'B', 'x');
  EXPECT_STREQ(output, "ab");
  EXPECT_EQ(std::string(source, sizeof(source) - 1), std::string("xab\0cd\0ex", 9));
}

TEST(TrimCharacter, OutputMayBeTheSource) {
  char text[] = "  padded  ";
  TrimCharacter(text, text, 'L', ' ');
  EXPECT_STREQ(text, "padded  ");
  TrimCharacter(text, text, 'T', ' ');
  EXPECT_STREQ(text, "padded");
}

TEST(TrimCharacter, ToStringCutsTheSourceToo) {
  char source[] = "--a--\tb";
  std::string output = "stale";
  TrimCharacterToString(source, &output, 'B', '-');
  EXPECT_EQ(output, "a");
  EXPECT_STREQ(source, "--a--");
}

TEST(StripTrailingCharacter, CountsWhatItCuts) {
  std::string text = "path///";
  EXPECT_EQ(StripTrailingCharacter(&text, '/'), 3);
  EXPECT_EQ(text, "path");
  EXPECT_EQ(StripTrailingCharacter(&text, '/'), 0);
  EXPECT_EQ(text, "path");
  std::string only = "////";
  EXPECT_EQ(StripTrailingCharacter(&only, '/'), 4);
  EXPECT_EQ(only, "");
}

TEST(JoinStrings, SeparatesFromTheFirstIndexOn) {
  const std::vector<std::string> parts = {"C:", "dir", "file.txt"};
  EXPECT_EQ(JoinStrings("\\", parts, 0), "C:\\dir\\file.txt");
  EXPECT_EQ(JoinStrings("\\", parts, 1), "dir\\file.txt");
  EXPECT_EQ(JoinStrings("\\", parts, 2), "file.txt");
  EXPECT_EQ(JoinStrings("\\", parts, 3), "");
  EXPECT_EQ(JoinStrings("\\", parts, 99), "");
}

TEST(JoinStrings, EmptySeparatorMeansComma) {
  EXPECT_EQ(JoinStrings("", {"a", "b", "c"}, 0), "a,b,c");
}

TEST(JoinStrings, KeepsEmptyStringsAndLongSeparators) {
  EXPECT_EQ(JoinStrings("; ", {"a", "", "c", ""}, 0), "a; ; c; ");
  EXPECT_EQ(JoinStrings("; ", {}, 0), "");
  EXPECT_EQ(JoinStrings("; ", {""}, 0), "");
}

}  // namespace
}  // namespace quendral::util
