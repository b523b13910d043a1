// X11 and XTest are loaded at run time, so that the library neither needs
// them to load nor a display unless keys are sent.
#include "platform/os/desktop/keyboard.h"

#include <X11/keysym.h>

#include <array>
#include <cerrno>
#include <ctime>

#include "platform/os/desktop/posix/x11.h"

namespace quendral::os {
namespace {

constexpr std::int16_t kCannotType = -1;
// The X keyboard levels that Windows reaches with these modifiers; the third
// and fourth level (AltGr) are Control and Alt together.
constexpr std::array<std::uint16_t, 4> kModifiersOfLevel = {0x000, 0x100, 0x600, 0x700};

// The X key symbol of each key that has a virtual-key code; 0 for none. Keys
// whose symbol depends on the layout are given as on the US layout.
constexpr std::array<KeySym, 256> VirtualKeySymbols() {
  std::array<KeySym, 256> symbols{};
  symbols[0x03] = XK_Break;
  symbols[0x08] = XK_BackSpace;
  symbols[0x09] = XK_Tab;
  symbols[0x0D] = XK_Return;
  symbols[0x10] = XK_Shift_L;
  symbols[0x11] = XK_Control_L;
  symbols[0x12] = XK_Alt_L;
  symbols[0x13] = XK_Pause;
  symbols[0x14] = XK_Caps_Lock;
  symbols[0x1B] = XK_Escape;
  symbols[0x20] = XK_space;
  symbols[0x21] = XK_Prior;
  symbols[0x22] = XK_Next;
  symbols[0x23] = XK_End;
  symbols[0x24] = XK_Home;
  symbols[0x25] = XK_Left;
  symbols[0x26] = XK_Up;
  symbols[0x27] = XK_Right;
  symbols[0x28] = XK_Down;
  symbols[0x2C] = XK_Print;
  symbols[0x2D] = XK_Insert;
  symbols[0x2E] = XK_Delete;
  symbols[0x2F] = XK_Help;
  for (int digit = 0; digit < 10; ++digit) {
    symbols[0x30 + digit] = XK_0 + digit;
    symbols[0x60 + digit] = XK_KP_0 + digit;
  }
  for (int letter = 0; letter < 26; ++letter) {
    symbols[0x41 + letter] = XK_a + letter;
  }
  symbols[0x6A] = XK_KP_Multiply;
  symbols[0x6B] = XK_KP_Add;
  symbols[0x6D] = XK_KP_Subtract;
  symbols[0x6E] = XK_KP_Decimal;
  symbols[0x6F] = XK_KP_Divide;
  for (int function = 0; function < 24; ++function) {
    symbols[0x70 + function] = XK_F1 + function;
  }
  symbols[0x90] = XK_Num_Lock;
  symbols[0x91] = XK_Scroll_Lock;
  symbols[0xBA] = XK_semicolon;
  symbols[0xBB] = XK_equal;
  symbols[0xBC] = XK_comma;
  symbols[0xBD] = XK_minus;
  symbols[0xBE] = XK_period;
  symbols[0xBF] = XK_slash;
  symbols[0xC0] = XK_grave;
  symbols[0xDB] = XK_bracketleft;
  symbols[0xDC] = XK_backslash;
  symbols[0xDD] = XK_bracketright;
  symbols[0xDE] = XK_apostrophe;
  symbols[0xE2] = XK_less;
  return symbols;
}

constexpr std::array<KeySym, 256> kVirtualKeySymbols = VirtualKeySymbols();

// The character's key and modifiers when no keyboard mapping is involved.
std::int16_t ControlCharacterKey(unsigned char character) {
  switch (character) {
    case '\b':
      return 0x08;
    case '\t':
      return 0x09;
    case '\r':
      return 0x0D;
    case '\n':
      return 0x20D;
    case 0x1B:
      return 0x1B;
    default:
      return kCannotType;
  }
}

}  // namespace

struct Keyboard::Connection {
  const X11Entries* x11 = X11();
  const XTestEntries* xtest = XTest();
  Display* display = nullptr;
  // Key codes by virtual-key code and back; 0 for none.
  std::array<std::uint8_t, 256> key_code_of{};
  std::array<std::uint8_t, 256> virtual_key_of{};
  // The key symbols of every key code, `per_key_code` of them each.
  std::vector<KeySym> mapping;
  int first_key_code = 0;
  int per_key_code = 0;

  bool Open();
  void ReadMapping();
  int KeyCodeOf(KeySym symbol, int* level) const;
};

bool Keyboard::Connection::Open() {
  if (x11 == nullptr || xtest == nullptr) {
    return false;
  }
  display = x11->open_display(nullptr);
  if (display == nullptr) {
    return false;
  }
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (xtest->query_extension(display, &event_base, &error_base, &major, &minor) == 0) {
    return false;
  }
  ReadMapping();
  return true;
}

void Keyboard::Connection::ReadMapping() {
  int last_key_code = 0;
  x11->display_key_codes(display, &first_key_code, &last_key_code);
  const int count = last_key_code - first_key_code + 1;
  KeySym* symbols = x11->get_keyboard_mapping(display, static_cast<KeyCode>(first_key_code), count,
                                              &per_key_code);
  if (symbols == nullptr) {
    per_key_code = 0;
    return;
  }
  mapping.assign(symbols, symbols + static_cast<std::ptrdiff_t>(count) * per_key_code);
  x11->free(symbols);
  for (std::size_t virtual_key = 0; virtual_key < kVirtualKeySymbols.size(); ++virtual_key) {
    const KeySym symbol = kVirtualKeySymbols[virtual_key];
    int level = 0;
    const int key_code = symbol == 0 ? 0 : KeyCodeOf(symbol, &level);
    key_code_of[virtual_key] = static_cast<std::uint8_t>(key_code);
    if (key_code != 0 && virtual_key_of[key_code] == 0) {
      virtual_key_of[key_code] = static_cast<std::uint8_t>(virtual_key);
    }
  }
}

// The key code that gives `symbol` at the lowest of the four levels Windows
// can reach; 0 when none does.
int Keyboard::Connection::KeyCodeOf(KeySym symbol, int* level) const {
  const int levels = std::min<int>(per_key_code, kModifiersOfLevel.size());
  const int key_codes = per_key_code == 0 ? 0 : static_cast<int>(mapping.size()) / per_key_code;
  for (*level = 0; *level < levels; ++*level) {
    for (int index = 0; index < key_codes; ++index) {
      const std::size_t at =
          static_cast<std::size_t>(index) * static_cast<std::size_t>(per_key_code) +
          static_cast<std::size_t>(*level);
      if (mapping[at] == symbol && first_key_code + index < 256) {
        return first_key_code + index;
      }
    }
  }
  return 0;
}

Keyboard::Keyboard() : connection_(new Connection) {
  if (!connection_->Open()) {
    if (connection_->display != nullptr) {
      connection_->x11->close_display(connection_->display);
    }
    delete connection_;
    connection_ = nullptr;
  }
}

Keyboard::~Keyboard() {
  if (connection_ != nullptr) {
    connection_->x11->close_display(connection_->display);
    delete connection_;
  }
}

std::int16_t Keyboard::KeyForCharacter(char character) {
  const auto byte = static_cast<unsigned char>(character);
  if (byte < 0x20 || byte == 0x7F) {
    return ControlCharacterKey(byte);
  }
  if (connection_ == nullptr || (byte > 0x7F && byte < 0xA0)) {
    return kCannotType;
  }
  // The Latin-1 characters are their own key symbols.
  int level = 0;
  const int key_code = connection_->KeyCodeOf(byte, &level);
  const std::uint8_t virtual_key = connection_->virtual_key_of[key_code];
  if (key_code == 0 || virtual_key == 0) {
    return kCannotType;
  }
  return static_cast<std::int16_t>(kModifiersOfLevel[static_cast<std::size_t>(level)] |
                                   virtual_key);
}

std::uint16_t Keyboard::ScanCode(std::uint16_t virtual_key) {
  if (connection_ == nullptr || virtual_key >= connection_->key_code_of.size()) {
    return 0;
  }
  return connection_->key_code_of[virtual_key];
}

void Keyboard::Inject(const std::vector<KeyInput>& events) {
  if (connection_ == nullptr || events.empty()) {
    return;
  }
  for (const KeyInput& event : events) {
    if (event.scan_code != 0) {
      connection_->xtest->fake_key_event(connection_->display, event.scan_code,
                                         (event.flags & 2) == 0 ? True : False, CurrentTime);
    }
  }
  connection_->x11->flush(connection_->display);
}

void SleepMilliseconds(std::uint32_t milliseconds) {
  timespec wait{static_cast<std::time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
  while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

}  // namespace quendral::os
