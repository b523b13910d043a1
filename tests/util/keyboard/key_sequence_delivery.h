// What a window with the keyboard focus must receive when key sequences are
// sent for real, shared by the tests of each system's injection. A window
// gives ReceiveKeys(count); `expected_keys(text)` gives the events the text
// stands for, in the window's terms.
#ifndef QUENDRAL_TESTS_UTIL_KEYBOARD_KEY_SEQUENCE_DELIVERY_H_
#define QUENDRAL_TESTS_UTIL_KEYBOARD_KEY_SEQUENCE_DELIVERY_H_

#include <gtest/gtest.h>

#include "util/keyboard/keystrokes.h"

namespace quendral::util::fixtures {

// Letters, a capital, a repeat count, modifiers, a group, named keys and
// punctuation.
inline constexpr const char* kDeliveredSequences[] = {"abc",   "aB{TAB 2}~",     "^c",
                                                      "[+xy]", "{F5}{LEFT}{BS}", "1 2;"};

template <typename Window, typename ExpectedKeys>
void ExpectEverySequenceDelivered(Window& window, ExpectedKeys expected_keys) {
  for (const char* text : kDeliveredSequences) {
    const auto expected = expected_keys(text);
    ASSERT_FALSE(expected.empty()) << text;
    for (const auto& key : expected) {
      ASSERT_NE(key.first, 0U) << text << ": a key without a key code";
    }
    EXPECT_EQ(SendKeySequence(text), 0);
    EXPECT_EQ(window.ReceiveKeys(expected.size()), expected) << text;
  }
}

// A text that types nothing sends nothing: after it and an "x", only the
// "x" arrives.
template <typename Window, typename ExpectedKeys>
void ExpectNothingTypeableSendsNothing(Window& window, ExpectedKeys expected_keys) {
  EXPECT_EQ(SendKeySequence("{NOSUCHKEY}{PAUSE 1}"), 0);
  EXPECT_EQ(SendKeySequence("x"), 0);
  EXPECT_EQ(window.ReceiveKeys(2), expected_keys("x"));
}

}  // namespace quendral::util::fixtures

#endif  // QUENDRAL_TESTS_UTIL_KEYBOARD_KEY_SEQUENCE_DELIVERY_H_
