#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <vector>

#include "util/keyboard/keystrokes.h"

namespace quendral::util {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A US-like layout: letters by their upper-case key, capitals and a few
// symbols need Shift, "@" needs Control and Alt, "#" Alt only, and "\xE9"
// cannot be typed.
class FakeKeyboard : public KeySequenceHost {
 public:
  std::int16_t KeyForCharacter(char character) override {
    const auto byte = static_cast<unsigned char>(character);
    if (std::islower(byte) != 0) {
      return static_cast<std::int16_t>(std::toupper(byte));
    }
    if (std::isupper(byte) != 0) {
      return static_cast<std::int16_t>(0x100 | byte);
    }
    switch (byte) {
      case '!':
        return 0x131;
      case '@':
        return 0x632;
      case '#':
        return 0x433;
      case 0xE9:
        return -1;
      default:
        return byte;
    }
  }
  void Pause(std::int32_t milliseconds) override { pauses.push_back(milliseconds); }

  std::vector<std::int32_t> pauses;
};

constexpr KeyEvent Down(std::uint16_t key) { return {key, kKeyDown}; }
constexpr KeyEvent Up(std::uint16_t key) { return {key, kKeyUp}; }

KeyEventList Parse(const char* text) {
  FakeKeyboard keyboard;
  return ParseKeySequence(text, keyboard);
}

TEST(KeySequence, EmptyTextGivesNothing) {
  EXPECT_THAT(Parse(""), IsEmpty());
  EXPECT_THAT(Parse(nullptr), IsEmpty());
}

TEST(KeySequence, OrdinaryCharactersPressAndRelease) {
  EXPECT_THAT(Parse("abc"),
              ElementsAre(Down('A'), Up('A'), Down('B'), Up('B'), Down('C'), Up('C')));
}

TEST(KeySequence, LayoutShiftIsPressedAroundTheKey) {
  EXPECT_THAT(Parse("A"), ElementsAre(Down(kShiftKey), Down('A'), Up('A'), Up(kShiftKey)));
  EXPECT_THAT(Parse("+A"),
              ElementsAre(Down(kShiftKey), Down(kShiftKey), Down('A'), Up('A'), Up(kShiftKey)));
}

TEST(KeySequence, OnlyTheFirstLayoutModifierIsPressed) {
  EXPECT_THAT(Parse("@"), ElementsAre(Down(kControlKey), Down('2'), Up('2'), Up(kControlKey)));
  EXPECT_THAT(Parse("#"), ElementsAre(Down(kAltKey), Down('3'), Up('3'), Up(kAltKey)));
}

TEST(KeySequence, ExplicitModifiersLastForOneKey) {
  EXPECT_THAT(Parse("^c"), ElementsAre(Down(kControlKey), Down('C'), Up('C'), Up(kControlKey)));
  EXPECT_THAT(Parse("%^+ab"),
              ElementsAre(Down(kAltKey), Down(kControlKey), Down(kShiftKey), Down('A'), Up('A'),
                          Up(kShiftKey), Up(kControlKey), Up(kAltKey), Down('B'), Up('B')));
}

TEST(KeySequence, GroupHoldsModifiersAndIgnoresTheLayoutShift) {
  EXPECT_THAT(Parse("[+abc]"), ElementsAre(Down(kShiftKey), Down('A'), Up('A'), Down('B'), Up('B'),
                                           Down('C'), Up('C'), Up(kShiftKey)));
  EXPECT_THAT(Parse("[AB]"), ElementsAre(Down('A'), Up('A'), Down('B'), Up('B')));
  EXPECT_THAT(Parse("[^ab]"), ElementsAre(Down(kControlKey), Down('A'), Up('A'), Down('B'), Up('B'),
                                          Up(kControlKey)));
}

TEST(KeySequence, CloseReleasesOnlyWhatIsHeld) {
  EXPECT_THAT(Parse("]"), IsEmpty());
  EXPECT_THAT(Parse("+]"), ElementsAre(Down(kShiftKey), Up(kShiftKey)));
}

TEST(KeySequence, ModifiersLeftHeldAtTheEndStayDown) {
  EXPECT_THAT(Parse("x+"), ElementsAre(Down('X'), Up('X'), Down(kShiftKey)));
  EXPECT_THAT(Parse("[^a"), ElementsAre(Down(kControlKey), Down('A'), Up('A')));
}

TEST(KeySequence, TildeIsEnter) {
  EXPECT_THAT(Parse("~"), ElementsAre(Down(13), Up(13)));
  EXPECT_EQ(Parse("~"), Parse("{ENTER}"));
}

TEST(KeySequence, BracedNamesIgnoreCase) {
  EXPECT_EQ(Parse("{enter}"), Parse("{ENTER}"));
  EXPECT_EQ(Parse("{Enter}"), Parse("{ENTER}"));
  EXPECT_THAT(Parse("{pgdn}{BkSp}{bs}{scroll}"),
              ElementsAre(Down(34), Up(34), Down(8), Up(8), Down(8), Up(8), Down(145), Up(145)));
}

TEST(KeySequence, RepeatCount) {
  EXPECT_THAT(Parse("+{TAB 3}"), ElementsAre(Down(kShiftKey), Down(9), Up(9), Down(9), Up(9),
                                             Down(9), Up(9), Up(kShiftKey)));
  EXPECT_EQ(Parse("{ENTER   3}"), Parse("{ENTER 3}"));
  EXPECT_EQ(Parse("{ENTER 3}").size(), 6U);
  for (const char* once : {"{ENTER 0}", "{ENTER -2}", "{ENTER x}", "{ENTER}", "{ENTER 1 9}"}) {
    EXPECT_THAT(Parse(once), ElementsAre(Down(13), Up(13))) << once;
  }
}

TEST(KeySequence, HugeRepeatCountIsHeldToAFewThousandPresses) {
  EXPECT_EQ(Parse("{TAB 99999999999999}").size(), 20000U);
  EXPECT_EQ(Parse("{TAB 2147483647}").size(), 20000U);
}

TEST(KeySequence, FunctionKeysWantAnUpperCaseF) {
  EXPECT_THAT(Parse("{F5}"), ElementsAre(Down(116), Up(116)));
  EXPECT_THAT(Parse("{F1}{F12}{F24}"),
              ElementsAre(Down(112), Up(112), Down(123), Up(123), Down(135), Up(135)));
  EXPECT_THAT(Parse("{F}"), ElementsAre(Down(111), Up(111)));
  EXPECT_THAT(Parse("{Fx}"), ElementsAre(Down(111), Up(111)));
  EXPECT_THAT(Parse("{f5}"), IsEmpty());
  // The number is cut to the 16 bits of a key code.
  EXPECT_THAT(Parse("{F65425}"), ElementsAre(Down(0), Up(0)));
}

TEST(KeySequence, EmptyBracesAreConsumed) {
  EXPECT_THAT(Parse("{}a"), ElementsAre(Down('A'), Up('A')));
  EXPECT_THAT(Parse("+{   }a"), ElementsAre(Down(kShiftKey), Down('A'), Up('A'), Up(kShiftKey)));
}

TEST(KeySequence, UnknownNamesAndUnclosedBracesAreSkipped) {
  EXPECT_THAT(Parse("a{NOSUCHKEY}b"), ElementsAre(Down('A'), Up('A'), Down('B'), Up('B')));
  EXPECT_THAT(Parse("{TAB}{NOSUCHKEY}"), ElementsAre(Down(9), Up(9)));
  EXPECT_THAT(Parse("a{b"), ElementsAre(Down('A'), Up('A'), Down('B'), Up('B')));
  // Skipped input releases nothing either.
  EXPECT_THAT(Parse("+{NOSUCHKEY}a"),
              ElementsAre(Down(kShiftKey), Down('A'), Up('A'), Up(kShiftKey)));
  EXPECT_THAT(Parse("{"), IsEmpty());
}

TEST(KeySequence, CharactersTheLayoutCannotTypeAreSkipped) {
  EXPECT_THAT(Parse("a\xE9"
                    "b"),
              ElementsAre(Down('A'), Up('A'), Down('B'), Up('B')));
  EXPECT_THAT(Parse("+\xE9"
                    "b"),
              ElementsAre(Down(kShiftKey), Down('B'), Up('B'), Up(kShiftKey)));
}

TEST(KeySequence, PauseWaitsWhileReadingAndAppendsNothing) {
  FakeKeyboard keyboard;
  EXPECT_THAT(ParseKeySequence("+{PAUSE 500}a{pause 20}", keyboard),
              ElementsAre(Down(kShiftKey), Down('A'), Up('A'), Up(kShiftKey)));
  EXPECT_THAT(keyboard.pauses, ElementsAre(500, 20));
}

TEST(KeySequence, PauseWithoutAPositiveCountDoesNotWait) {
  FakeKeyboard keyboard;
  EXPECT_THAT(ParseKeySequence("{PAUSE}{PAUSE -1}{PAUSE 0}{PAUSE x}", keyboard), IsEmpty());
  EXPECT_THAT(keyboard.pauses, IsEmpty());
}

}  // namespace
}  // namespace quendral::util
