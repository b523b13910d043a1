// The keyboard: which key types a character, the scan code of a key, and
// injecting key events into the system's input stream.
//
// Keys are named by Windows virtual-key codes everywhere. On Windows the
// operations are VkKeyScanA, MapVirtualKeyA (mode 0) and one SendInput call.
// Elsewhere they work on the X display named by DISPLAY: the characters and
// keys are found in the X keyboard mapping (characters as Latin-1), the "scan
// code" of a key is its X key code, and the events are sent with the XTest
// extension, all of them before one flush. libX11 and libXtst are loaded when
// a Keyboard is made; without them or without a display no character can be
// typed, every scan code is 0 and nothing is sent.
#ifndef QUENDRAL_PLATFORM_OS_DESKTOP_KEYBOARD_H_
#define QUENDRAL_PLATFORM_OS_DESKTOP_KEYBOARD_H_

#include <cstdint>
#include <vector>

namespace quendral::os {

// One key event as injected: flags 0 for a key going down, 2 for going up.
struct KeyInput {
  std::uint16_t virtual_key;
  std::uint16_t scan_code;
  std::uint32_t flags;
};

class Keyboard {
 public:
  Keyboard();
  ~Keyboard();
  Keyboard(const Keyboard&) = delete;
  Keyboard& operator=(const Keyboard&) = delete;

  // The key that types `character` in the low byte and the modifiers it
  // needs in the high byte (1 Shift, 2 Control, 4 Alt); -1 when the keyboard
  // layout has no key for it.
  std::int16_t KeyForCharacter(char character);

  // The scan code of a key; 0 when it has none.
  std::uint16_t ScanCode(std::uint16_t virtual_key);

  // Injects the events in order, as one batch; those the system refuses are
  // lost.
  void Inject(const std::vector<KeyInput>& events);

 private:
  // The connection to the display outside Windows; unused on Windows.
  struct Connection;
  Connection* connection_ = nullptr;
};

// Blocks the calling thread for `milliseconds` (Sleep; nanosleep elsewhere).
void SleepMilliseconds(std::uint32_t milliseconds);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DESKTOP_KEYBOARD_H_
