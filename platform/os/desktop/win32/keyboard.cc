#include "platform/os/desktop/keyboard.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

Keyboard::Keyboard() = default;

Keyboard::~Keyboard() = default;

std::int16_t Keyboard::KeyForCharacter(char character) {
  return static_cast<std::int16_t>(::VkKeyScanA(character));
}

std::uint16_t Keyboard::ScanCode(std::uint16_t virtual_key) {
  return static_cast<std::uint16_t>(::MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC));
}

void Keyboard::Inject(const std::vector<KeyInput>& events) {
  if (events.empty()) {
    return;
  }
  std::vector<INPUT> batch(events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    batch[i].type = INPUT_KEYBOARD;
    batch[i].ki.wVk = events[i].virtual_key;
    batch[i].ki.wScan = events[i].scan_code;
    batch[i].ki.dwFlags = events[i].flags;
  }
  ::SendInput(static_cast<UINT>(batch.size()), batch.data(), sizeof(INPUT));
}

void SleepMilliseconds(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace quendral::os
