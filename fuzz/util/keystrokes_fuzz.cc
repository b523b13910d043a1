// The key-sequence parser on any text, over a fixed layout that types every
// third byte with a modifier and cannot type some, and never waits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "util/keyboard/keystrokes.h"

namespace {

class FixedLayout : public quendral::util::KeySequenceHost {
 public:
  std::int16_t KeyForCharacter(char character) override {
    const auto byte = static_cast<unsigned char>(character);
    if (byte >= 0xF0) {
      return -1;
    }
    return static_cast<std::int16_t>(((byte % 3) << 8) | byte);
  }
  void Pause(std::int32_t milliseconds) override {
    if (milliseconds <= 0) {
      std::abort();
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  FixedLayout layout;
  const quendral::util::KeyEventList events =
      quendral::util::ParseKeySequence(text.c_str(), layout);
  for (const quendral::util::KeyEvent& event : events) {
    if ((event.flags != quendral::util::kKeyDown && event.flags != quendral::util::kKeyUp) ||
        event.virtual_key == 0xFF) {
      std::abort();
    }
  }
  return 0;
}
