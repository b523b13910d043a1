// Sends key sequences for real to a window of ours that has the keyboard
// focus on the X display, and compares the key events it receives with the
// events the sequence stands for. Skipped without a display (run the tests
// under xvfb-run) or without libX11.
#include <gtest/gtest.h>
// After gtest, whose names Xlib.h would take as its macros (None).
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#include "platform/os/desktop/keyboard.h"
#include "platform/os/library.h"
#include "tests/util/keyboard/key_sequence_delivery.h"
#include "util/keyboard/keystrokes.h"

namespace quendral::util {
namespace {

// A key event as the window sees it: X key code, and whether it went down.
using ReceivedKey = std::pair<unsigned, bool>;

template <typename Function>
Function* Entry(const os::LoadedLibrary& library, const char* name) {
  return reinterpret_cast<Function*>(library.Find(name));
}

// A plain window that takes the keyboard focus and keeps the key events it
// receives. libX11 is loaded at run time, like the library under test does.
class FocusedWindow {
 public:
  FocusedWindow() {
    auto* open_display = Entry<decltype(XOpenDisplay)>(x11_, "XOpenDisplay");
    if (open_display == nullptr || std::getenv("DISPLAY") == nullptr ||
        (display_ = open_display(nullptr)) == nullptr) {
      return;
    }
    const int screen = DefaultScreen(display_);
    window_ = Entry<decltype(XCreateSimpleWindow)>(x11_, "XCreateSimpleWindow")(
        display_, RootWindow(display_, screen), 0, 0, 100, 100, 0, BlackPixel(display_, screen),
        WhitePixel(display_, screen));
    Entry<decltype(XSelectInput)>(x11_, "XSelectInput")(
        display_, window_, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    Entry<decltype(XMapRaised)>(x11_, "XMapRaised")(display_, window_);
    WaitFor([](const XEvent& event) { return event.type == MapNotify; });
    Entry<decltype(XSetInputFocus)>(x11_, "XSetInputFocus")(display_, window_, RevertToParent,
                                                            CurrentTime);
    Entry<decltype(XSync)>(x11_, "XSync")(display_, False);
  }

  ~FocusedWindow() {
    if (display_ != nullptr) {
      Entry<decltype(XDestroyWindow)>(x11_, "XDestroyWindow")(display_, window_);
      Entry<decltype(XCloseDisplay)>(x11_, "XCloseDisplay")(display_);
    }
  }

  FocusedWindow(const FocusedWindow&) = delete;
  FocusedWindow& operator=(const FocusedWindow&) = delete;

  bool open() const { return display_ != nullptr; }

  // The key events received until `count` have come or two seconds passed.
  std::vector<ReceivedKey> ReceiveKeys(std::size_t count) {
    std::vector<ReceivedKey> keys;
    WaitFor([&](const XEvent& event) {
      if (event.type == KeyPress || event.type == KeyRelease) {
        keys.emplace_back(event.xkey.keycode, event.type == KeyPress);
      }
      return keys.size() >= count;
    });
    return keys;
  }

 private:
  template <typename Predicate>
  void WaitFor(Predicate done) {
    auto* pending = Entry<decltype(XPending)>(x11_, "XPending");
    auto* next_event = Entry<decltype(XNextEvent)>(x11_, "XNextEvent");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
      while (pending(display_) > 0) {
        XEvent event{};
        next_event(display_, &event);
        if (done(event)) {
          return;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  os::LoadedLibrary x11_{"libX11.so.6"};
  Display* display_ = nullptr;
  Window window_ = 0;
};

class LayoutOfTheDisplay : public KeySequenceHost {
 public:
  std::int16_t KeyForCharacter(char character) override {
    return keyboard.KeyForCharacter(character);
  }
  void Pause(std::int32_t /*milliseconds*/) override {}

  os::Keyboard keyboard;
};

// The events `text` stands for, as the window should see them.
std::vector<ReceivedKey> ExpectedKeys(const char* text) {
  LayoutOfTheDisplay layout;
  std::vector<ReceivedKey> keys;
  for (const KeyEvent& event : ParseKeySequence(text, layout)) {
    keys.emplace_back(layout.keyboard.ScanCode(event.virtual_key), event.flags == kKeyDown);
  }
  return keys;
}

class KeySequenceOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!window_.open()) {
      GTEST_SKIP() << "no X display (DISPLAY unset or libX11 missing)";
    }
  }

  FocusedWindow window_;
};

TEST_F(KeySequenceOnDisplay, WindowWithTheFocusReceivesTheEventsInOrder) {
  fixtures::ExpectEverySequenceDelivered(window_, ExpectedKeys);
}

TEST_F(KeySequenceOnDisplay, CapitalNeedsShiftOnTheLayout) {
  LayoutOfTheDisplay layout;
  const std::int16_t capital = layout.keyboard.KeyForCharacter('A');
  EXPECT_EQ(capital, 0x141);
  EXPECT_EQ(layout.keyboard.KeyForCharacter('a'), 0x41);
  EXPECT_EQ(layout.keyboard.KeyForCharacter(' '), 0x20);
}

TEST_F(KeySequenceOnDisplay, NothingTypeableSendsNothing) {
  fixtures::ExpectNothingTypeableSendsNothing(window_, ExpectedKeys);
}

}  // namespace
}  // namespace quendral::util
