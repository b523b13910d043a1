#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "platform/base/ascii.h"
#include "util/keyboard/keystrokes.h"
#include "util/text/split.h"

namespace quendral::util {
namespace {

constexpr std::uint16_t kEnterKey = 13;
constexpr std::uint16_t kFunctionKeyBase = 111;  // F1 is 112
constexpr std::int16_t kCannotType = -1;
// A repeat count asks for that many events to be built in memory before any
// is sent; a few digits must not be able to exhaust it.
constexpr std::int32_t kMaxRepeatCount = 10000;

struct KeyName {
  std::string_view name;
  std::uint16_t virtual_key;
};

constexpr std::array<KeyName, 22> kKeyNames = {{
    {"BACKSPACE", 8}, {"BKSP", 8},  {"BS", 8},      {"BREAK", 3},  {"CAPS", 20},
    {"DELETE", 46},   {"DOWN", 40}, {"END", 35},    {"ENTER", 13}, {"ESCAPE", 27},
    {"HELP", 47},     {"HOME", 36}, {"INSERT", 45}, {"LEFT", 37},  {"NUMLOCK", 144},
    {"PGDN", 34},     {"PGUP", 33}, {"PRTSCR", 44}, {"RIGHT", 39}, {"SCROLL", 145},
    {"TAB", 9},       {"UP", 38},
}};

// A decimal number read the way atol reads one (leading white space, a sign,
// digits up to the first other character, 0 without digits), but held to
// the 32-bit range instead of overflowing.
std::int32_t ReadDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
  }
  const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
  return static_cast<std::int32_t>(value);
}

// The key of a braced name, or none for PAUSE and unknown names.
struct BracedKey {
  bool is_key = false;
  bool is_pause = false;
  std::uint16_t virtual_key = 0;
};

BracedKey LookUpName(std::string_view name) {
  for (const KeyName& key : kKeyNames) {
    if (base::EqualsIgnoringAsciiCase(key.name, name)) {
      return {.is_key = true, .virtual_key = key.virtual_key};
    }
  }
  // Any name starting with an upper-case F is a function key, numbered by
  // what follows it; the sum is cut to the 16 bits of a key code.
  if (name.front() == 'F') {
    const auto number = static_cast<std::uint32_t>(ReadDecimal(name.substr(1)));
    return {.is_key = true, .virtual_key = static_cast<std::uint16_t>(kFunctionKeyBase + number)};
  }
  return {.is_pause = base::EqualsIgnoringAsciiCase(name, "PAUSE")};
}

class KeySequenceParser {
 public:
  KeySequenceParser(std::string_view text, KeySequenceHost& host) : text_(text), host_(host) {}

  KeyEventList Parse() {
    while (position_ < text_.size()) {
      const char character = text_[position_++];
      switch (character) {
        case '+':
          Hold(kShiftKey, shift_held_);
          break;
        case '^':
          Hold(kControlKey, control_held_);
          break;
        case '%':
          Hold(kAltKey, alt_held_);
          break;
        case '[':
          in_group_ = true;
          break;
        case ']':
          in_group_ = false;
          ReleaseModifiers();
          break;
        case '~':
          Press(kEnterKey);
          break;
        case '{':
          ReadBraces();
          break;
        default:
          TypeCharacter(character);
          break;
      }
    }
    return std::move(events_);
  }

 private:
  void Append(std::uint16_t virtual_key, std::uint32_t flags) {
    events_.push_back({virtual_key, flags});
  }

  void Hold(std::uint16_t modifier, bool& held) {
    Append(modifier, kKeyDown);
    held = true;
  }

  void ReleaseModifiers() {
    if (shift_held_) {
      Append(kShiftKey, kKeyUp);
    }
    if (control_held_) {
      Append(kControlKey, kKeyUp);
    }
    if (alt_held_) {
      Append(kAltKey, kKeyUp);
    }
    shift_held_ = control_held_ = alt_held_ = false;
  }

  // Presses and releases the key, then lets go of the modifiers that were
  // pressed for it, unless a group holds them.
  void Press(std::uint16_t virtual_key) {
    Append(virtual_key, kKeyDown);
    Append(virtual_key, kKeyUp);
    if (!in_group_) {
      ReleaseModifiers();
    }
  }

  void ReadBraces() {
    const std::size_t close = text_.find('}', position_);
    if (close == std::string_view::npos) {
      return;  // the "{" alone is skipped
    }
    std::vector<std::string> pieces;
    SplitDelimited(std::string(text_.substr(position_, close - position_)), " ", &pieces, false,
                   true);
    position_ = close + 1;
    if (pieces.empty() || pieces.front().empty()) {
      return;
    }
    const std::int32_t count = pieces.size() > 1 ? ReadDecimal(pieces[1]) : -1;
    const BracedKey key = LookUpName(pieces.front());
    if (key.is_pause) {
      if (count > 0) {
        host_.Pause(count);
      }
      return;
    }
    if (!key.is_key) {
      return;
    }
    for (std::int32_t i = 1; i < std::min(count, kMaxRepeatCount); ++i) {
      Append(key.virtual_key, kKeyDown);
      Append(key.virtual_key, kKeyUp);
    }
    Press(key.virtual_key);
  }

  void TypeCharacter(char character) {
    const std::int16_t answer = host_.KeyForCharacter(character);
    if (answer == kCannotType) {
      return;
    }
    const auto key_and_state = static_cast<std::uint16_t>(answer);
    if (!in_group_) {
      // Only the first modifier the layout asks for is pressed.
      if ((key_and_state & 0x100) != 0) {
        Hold(kShiftKey, shift_held_);
      } else if ((key_and_state & 0x200) != 0) {
        Hold(kControlKey, control_held_);
      } else if ((key_and_state & 0x400) != 0) {
        Hold(kAltKey, alt_held_);
      }
    }
    Press(static_cast<std::uint16_t>(key_and_state & 0xFF));
  }

  std::string_view text_;
  KeySequenceHost& host_;
  std::size_t position_ = 0;
  bool shift_held_ = false;
  bool control_held_ = false;
  bool alt_held_ = false;
  bool in_group_ = false;
  KeyEventList events_;
};

}  // namespace

KeyEventList ParseKeySequence(const char* text, KeySequenceHost& host) {
  return KeySequenceParser(text == nullptr ? "" : text, host).Parse();
}

}  // namespace quendral::util
