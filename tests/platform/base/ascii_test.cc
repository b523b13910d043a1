#include "platform/base/ascii.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string_view>

namespace quendral::base {
namespace {

TEST(Ascii, EqualsIgnoringAsciiCase) {
  struct Case {
    std::string_view a, b;
    bool equal;
  };
  const Case cases[] = {
      {"Server/Acme", "SERVER/acme", true},
      {"", "", true},
      {"abc", "abcd", false},
      {"@", "`", false},  // neighbours of the letters
      {"[", "{", false},
      {"\xC9t\xE9", "\xC9T\xE9", true},  // bytes past ASCII compare as they are
      {"\xC9", "\xE9", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EqualsIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
  }
}

// The host process may set a locale of its own; names still compare by ASCII.
TEST(Ascii, CaseIgnoresTheLocaleOfTheProcess) {
  const char* saved = std::setlocale(LC_CTYPE, nullptr);
  const std::string previous = saved != nullptr ? saved : "C";
  for (const char* locale : {"tr_TR.ISO-8859-9", "de_DE.ISO-8859-1", "C.UTF-8"}) {
    if (std::setlocale(LC_CTYPE, locale) == nullptr) {
      continue;
    }
    EXPECT_TRUE(EqualsIgnoringAsciiCase("insert", "INSERT")) << locale;
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC9", "\xE9")) << locale;
  }
  std::setlocale(LC_CTYPE, previous.c_str());
}

TEST(Ascii, HexDigitValue) {
  const std::string_view digits = "0123456789abcdefABCDEF";
  const unsigned values[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                             11, 12, 13, 14, 15, 10, 11, 12, 13, 14, 15};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    EXPECT_EQ(HexDigitValue(digits[i]), values[i]) << digits[i];
  }
  for (char c : std::string_view("/:@G`gx \0\xB0", 10)) {
    EXPECT_FALSE(HexDigitValue(c)) << int{c};
  }
}

TEST(Ascii, Trimming) {
  struct Case {
    std::string_view text, all_spaces, blanks_tabs_returns;
  };
  const Case cases[] = {
      {"", "", ""},
      {" \t\r\n\v\f", "", "\n\v\f"},
      {"\f key = value \r", "key = value", "\f key = value"},
      {"\tkey\t", "key", "key"},
      {"a b", "a b", "a b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrimAsciiSpaces(c.text), c.all_spaces);
    EXPECT_EQ(TrimSpacesTabsAndReturns(c.text), c.blanks_tabs_returns);
  }
}

}  // namespace
}  // namespace quendral::base
