// Typing a short text into the window that has the keyboard focus.
//
// The text is a small key-sequence language. Ordinary characters stand for
// themselves, typed with whatever modifier the keyboard layout needs for
// them. "+", "^" and "%" press Shift, Control and Alt, which are released
// after the next key; "[" and "]" hold the modifiers pressed between them over
// every key up to the "]" (the layout's own modifiers are not pressed inside);
// "~" is Enter. A name in braces gives a key without a character, such as
// {TAB}, {F5} or {PGDN}, optionally with a repeat count as in {TAB 3};
// {PAUSE 500} waits half a second while the text is read. The special
// characters cannot be typed as themselves.
//
// Input that names no key is skipped: an unknown name in braces, a "{"
// without a "}" after it, and a character the keyboard layout cannot type.
#ifndef QUENDRAL_UTIL_KEYBOARD_KEYSTROKES_H_
#define QUENDRAL_UTIL_KEYBOARD_KEYSTROKES_H_

#include <cstdint>
#include <vector>

namespace quendral::util {

// The key-event flags: a key goes down (0) or up (2).
inline constexpr std::uint32_t kKeyDown = 0;
inline constexpr std::uint32_t kKeyUp = 2;

// The modifier keys' virtual-key codes.
inline constexpr std::uint16_t kShiftKey = 16;
inline constexpr std::uint16_t kControlKey = 17;
inline constexpr std::uint16_t kAltKey = 18;

struct KeyEvent {
  std::uint16_t virtual_key;
  std::uint32_t flags;

  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// The events of one text, in the order they are to be injected.
using KeyEventList = std::vector<KeyEvent>;

// What reading a text needs from the system, while it reads.
class KeySequenceHost {
 public:
  virtual ~KeySequenceHost() = default;
  // The key that types `character` on the keyboard layout in the low byte,
  // and in the high byte the modifiers it needs (1 Shift, 2 Control, 4 Alt);
  // -1 when the layout cannot type it.
  virtual std::int16_t KeyForCharacter(char character) = 0;
  // Blocks the calling thread for `milliseconds` (never negative).
  virtual void Pause(std::int32_t milliseconds) = 0;
};

// The events that `text` stands for; pauses happen through `host` as they
// are read.
KeyEventList ParseKeySequence(const char* text, KeySequenceHost& host);

// Reads `text` (null reads as empty) and injects its events into the
// system's input stream in one batch, after any pauses. Events that the
// system refuses are lost silently. Always 0.
std::int32_t SendKeySequence(const char* text);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_KEYBOARD_KEYSTROKES_H_
