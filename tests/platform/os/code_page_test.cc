// The code page of texts, its lead bytes, and converting texts from the OEM
// to the ANSI code page.
#include "platform/os/code_page.h"

#include <gtest/gtest.h>

namespace quendral::os {
namespace {

TEST(OemToAnsi, AsciiAndLengthStay) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    all += static_cast<char>(byte);
  }
  std::string converted = all;
  ASSERT_TRUE(OemToAnsi(&converted));
  ASSERT_EQ(converted.size(), all.size());
  EXPECT_EQ(converted.substr(0x20, 0x5F), all.substr(0x20, 0x5F));
  std::string empty;
  EXPECT_TRUE(OemToAnsi(&empty));
  EXPECT_EQ(empty, "");
}

#ifndef _WIN32
// Code page 437 stands for the OEM code page, Windows-1252 for the ANSI one.
TEST(OemToAnsi, Cp437LettersAndSignsBecomeTheirWindows1252Bytes) {
  std::string text = "\x80\x81\x82\x9B\x9C\x9D\xE1\xF8";
  ASSERT_TRUE(OemToAnsi(&text));
  EXPECT_EQ(text, "\xC7\xFC\xE9\xA2\xA3\xA5\xDF\xB0");
}

TEST(OemToAnsi, CharactersWithoutAnAnsiByteBecomeQuestionMarks) {
  // Box drawing, Greek capital gamma and the square root sign.
  std::string text =
      "a\xB3\xC4\xE2\xFB"
      "b";
  ASSERT_TRUE(OemToAnsi(&text));
  EXPECT_EQ(text, "a????b");
}
#endif

TEST(LeadBytes, AreThoseOfTheDoubleByteCodePagesOnly) {
  struct Case {
    unsigned code_page;
    unsigned char byte;
    bool leads;
  };
  for (const Case& c :
       {Case{932, 0x81, true}, Case{932, 0x9F, true}, Case{932, 0xA0, false}, Case{932, 0xE0, true},
        Case{932, 0xFC, true}, Case{932, 0xFD, false}, Case{932, 0x5C, false},
        Case{936, 0x81, true}, Case{936, 0xFE, true}, Case{936, 0x80, false}, Case{949, 0xB0, true},
        Case{950, 0xA4, true}, Case{950, 0xFF, false}, Case{1252, 0x95, false}}) {
    EXPECT_EQ(IsLeadByte(c.code_page, static_cast<char>(c.byte)), c.leads)
        << c.code_page << " " << static_cast<int>(c.byte);
  }
}

TEST(LeadBytes, FollowTheCodePageTheProcessChose) {
  UseTextCodePage(932);
  EXPECT_EQ(TextCodePage(), 932u);
  EXPECT_TRUE(IsLeadByte('\x95'));
  UseTextCodePage(kSystemCodePage);
  EXPECT_EQ(TextCodePage(), SystemTextCodePage());
  EXPECT_EQ(IsLeadByte('\x95'), IsLeadByte(SystemTextCodePage(), '\x95'));
}

}  // namespace
}  // namespace quendral::os
