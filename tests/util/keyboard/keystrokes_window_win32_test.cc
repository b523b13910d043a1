// Sends key sequences for real to a Win32 window of ours that is in the
// foreground with the keyboard focus, and compares the key messages it
// receives with the events the sequence stands for (Windows only; on other
// systems the X display test does the same).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

#include "platform/os/desktop/keyboard.h"
#include "platform/os/win32/windows_headers.h"
#include "tests/util/keyboard/key_sequence_delivery.h"
#include "util/keyboard/keystrokes.h"

namespace quendral::util {
namespace {

// A key message as the window sees it: the virtual-key code (`first`, as the
// shared checks read it), the scan code (bits 16 to 23 of its second
// parameter) and whether it went down.
struct ReceivedKey {
  std::uint16_t first;
  std::uint16_t scan_code;
  bool down;
  friend bool operator==(const ReceivedKey&, const ReceivedKey&) = default;
};

void PrintTo(const ReceivedKey& key, std::ostream* out) {
  *out << "{key " << key.first << ", scan " << key.scan_code << (key.down ? ", down}" : ", up}");
}

std::vector<ReceivedKey>* g_received = nullptr;

LRESULT CALLBACK RecordKeys(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
  if ((down || up) && g_received != nullptr) {
    const auto scan_code = static_cast<std::uint16_t>((l_param >> 16) & 0xFF);
    g_received->push_back({static_cast<std::uint16_t>(w_param), scan_code, down});
    return 0;
  }
  return ::DefWindowProcA(window, message, w_param, l_param);
}

constexpr char kClassName[] = "QuendralKeyRecorder";

// A visible top-level window that takes the foreground and the focus.
class FocusedWindow {
 public:
  FocusedWindow() {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = RecordKeys;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.lpszClassName = kClassName;
    ::RegisterClassA(&window_class);
    window_ = ::CreateWindowExA(0, kClassName, "keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                100, nullptr, nullptr, window_class.hInstance, nullptr);
    if (window_ != nullptr) {
      ::SetForegroundWindow(window_);
      ::SetFocus(window_);
      Pump();
    }
    g_received = &received_;
  }
  ~FocusedWindow() {
    g_received = nullptr;
    if (window_ != nullptr) {
      ::DestroyWindow(window_);
    }
    ::UnregisterClassA(kClassName, ::GetModuleHandleA(nullptr));
  }
  FocusedWindow(const FocusedWindow&) = delete;
  FocusedWindow& operator=(const FocusedWindow&) = delete;

  bool has_focus() const { return window_ != nullptr && ::GetFocus() == window_; }

  // The key messages received until `count` have come or two seconds passed.
  std::vector<ReceivedKey> ReceiveKeys(std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (received_.size() < count && std::chrono::steady_clock::now() < deadline) {
      Pump();
      ::Sleep(5);
    }
    std::vector<ReceivedKey> keys = std::move(received_);
    received_.clear();
    return keys;
  }

 private:
  static void Pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }

  HWND window_ = nullptr;
  std::vector<ReceivedKey> received_;
};

class LayoutOfTheSystem : public KeySequenceHost {
 public:
  std::int16_t KeyForCharacter(char character) override {
    return keyboard_.KeyForCharacter(character);
  }
  void Pause(std::int32_t /*milliseconds*/) override {}

 private:
  os::Keyboard keyboard_;
};

// The messages `text` stands for, as the window should see them.
std::vector<ReceivedKey> ExpectedKeys(const char* text) {
  LayoutOfTheSystem layout;
  std::vector<ReceivedKey> keys;
  for (const KeyEvent& event : ParseKeySequence(text, layout)) {
    const auto scan_code =
        static_cast<std::uint16_t>(::MapVirtualKeyA(event.virtual_key, MAPVK_VK_TO_VSC) & 0xFF);
    keys.push_back({event.virtual_key, scan_code, event.flags == kKeyDown});
  }
  return keys;
}

class KeySequenceToWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!window_.has_focus()) {
      GTEST_SKIP() << "no window could take the keyboard focus (no display?)";
    }
  }

  FocusedWindow window_;
};

TEST_F(KeySequenceToWindow, WindowWithTheFocusReceivesTheEventsInOrder) {
  fixtures::ExpectEverySequenceDelivered(window_, ExpectedKeys);
}

TEST_F(KeySequenceToWindow, NothingTypeableSendsNothing) {
  fixtures::ExpectNothingTypeableSendsNothing(window_, ExpectedKeys);
}

}  // namespace
}  // namespace quendral::util
