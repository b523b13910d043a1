#include "platform/os/desktop/keyboard.h"
#include "util/keyboard/keystrokes.h"

namespace quendral::util {
namespace {

class SystemKeyboard : public KeySequenceHost {
 public:
  std::int16_t KeyForCharacter(char character) override {
    return keyboard_.KeyForCharacter(character);
  }
  void Pause(std::int32_t milliseconds) override {
    os::SleepMilliseconds(static_cast<std::uint32_t>(milliseconds));
  }
  os::Keyboard& keyboard() { return keyboard_; }

 private:
  os::Keyboard keyboard_;
};

}  // namespace

std::int32_t SendKeySequence(const char* text) {
  SystemKeyboard host;
  const KeyEventList events = ParseKeySequence(text, host);
  if (events.empty()) {
    return 0;
  }
  std::vector<os::KeyInput> batch;
  batch.reserve(events.size());
  for (const KeyEvent& event : events) {
    batch.push_back({event.virtual_key, host.keyboard().ScanCode(event.virtual_key), event.flags});
  }
  host.keyboard().Inject(batch);
  return 0;
}

}  // namespace quendral::util
