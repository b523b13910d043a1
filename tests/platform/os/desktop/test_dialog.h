// A real, hidden dialog window with edit controls, made from a template in
// memory, for tests of the dialog exchange on Windows. Nothing here runs a
// message loop: the edit controls answer the messages sent to them directly.
#ifndef QUENDRAL_TESTS_PLATFORM_OS_DESKTOP_TEST_DIALOG_H_
#define QUENDRAL_TESTS_PLATFORM_OS_DESKTOP_TEST_DIALOG_H_

#ifdef _WIN32

#include <initializer_list>
#include <vector>

#include "platform/os/desktop/window.h"
#include "platform/os/win32/windows_headers.h"

namespace quendral::os::fixtures {

class TestDialog {
 public:
  // A dialog with one single-line edit control for each identifier.
  explicit TestDialog(std::initializer_list<int> edit_ids) {
    const std::vector<WORD> dialog_template = Template(edit_ids);
    window_ = ::CreateDialogIndirectParamA(
        ::GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialog_template.data()),
        nullptr, IgnoreMessages, 0);
  }
  ~TestDialog() {
    if (window_ != nullptr) {
      ::DestroyWindow(window_);
    }
  }
  TestDialog(const TestDialog&) = delete;
  TestDialog& operator=(const TestDialog&) = delete;

  // Null when the system could not make the window (no display).
  HWND window() const { return window_; }
  os::WindowHandle handle() const { return reinterpret_cast<os::WindowHandle>(window_); }
  HWND Control(int id) const { return ::GetDlgItem(window_, id); }

 private:
  static INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

  static void AddDword(std::vector<WORD>& words, DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  }

  // The dialog, then each control on a 4-byte boundary. No menu, the
  // default window class, an empty title and no font.
  static std::vector<WORD> Template(std::initializer_list<int> edit_ids) {
    constexpr WORD kEditClass = 0x0081;
    std::vector<WORD> words;
    AddDword(words, WS_POPUP | WS_CAPTION);
    AddDword(words, 0);
    words.push_back(static_cast<WORD>(edit_ids.size()));
    const auto height = static_cast<WORD>(20 * (edit_ids.size() + 1));
    words.insert(words.end(), {0, 0, 200, height});
    words.insert(words.end(), {0, 0, 0});
    short y = 5;
    for (const int id : edit_ids) {
      if (words.size() % 2 != 0) {
        words.push_back(0);
      }
      AddDword(words, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
      AddDword(words, 0);
      words.insert(words.end(), {5, static_cast<WORD>(y), 150, 14, static_cast<WORD>(id)});
      words.insert(words.end(), {0xFFFF, kEditClass, 0, 0});
      y = static_cast<short>(y + 20);
    }
    return words;
  }

  HWND window_ = nullptr;
};

}  // namespace quendral::os::fixtures

#endif  // _WIN32

#endif  // QUENDRAL_TESTS_PLATFORM_OS_DESKTOP_TEST_DIALOG_H_
