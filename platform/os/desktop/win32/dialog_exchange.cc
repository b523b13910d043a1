#include "platform/os/desktop/dialog_exchange.h"

#include <string>
#include <utility>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

namespace {

class WindowDialogExchange final : public DialogExchange {
 public:
  WindowDialogExchange(HWND dialog, ExchangeDirection direction, MessageBoxFunction show_message)
      : dialog_(dialog), direction_(direction), show_message_(std::move(show_message)) {}

  bool IsSaving() const override { return direction_ == ExchangeDirection::kSave; }

  void PrepareEditControl(int control_id) override { prepared_ = Control(control_id); }

  int GetText(int control_id, char* buffer, int size) override {
    const HWND control = Control(control_id);
    if (buffer == nullptr || size <= 0) {
      return 0;
    }
    return ::GetWindowTextA(control, buffer, size);
  }

  std::string GetText(int control_id) override {
    const HWND control = Control(control_id);
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    const int copied = ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
  }

  void SetText(int control_id, const char* text) override {
    ::SetWindowTextA(Control(control_id), text != nullptr ? text : "");
  }

  void LimitText(int control_id, int max_length) override {
    ::SendMessageA(Control(control_id), EM_LIMITTEXT, static_cast<WPARAM>(max_length), 0);
  }

  int LineLength(int control_id) override {
    return static_cast<int>(
        ::SendMessageA(Control(control_id), EM_LINELENGTH, static_cast<WPARAM>(-1), 0));
  }

  void ShowMessage(const char* text) override {
    if (show_message_) {
      show_message_(reinterpret_cast<WindowHandle>(dialog_), text);
    } else {
      ::MessageBoxA(dialog_, text, "", MB_OK);
    }
  }

  void FocusAndSelect() override {
    if (prepared_ != nullptr) {
      ::SetFocus(prepared_);
      ::SendMessageA(prepared_, EM_SETSEL, 0, -1);
    }
  }

 private:
  HWND Control(int control_id) const {
    const HWND control = ::GetDlgItem(dialog_, control_id);
    if (control == nullptr) {
      throw std::invalid_argument("the dialog has no control " + std::to_string(control_id));
    }
    return control;
  }

  HWND dialog_;
  ExchangeDirection direction_;
  MessageBoxFunction show_message_;
  HWND prepared_ = nullptr;
};

}  // namespace

std::unique_ptr<DialogExchange> OpenWindowDialogExchange(WindowHandle dialog,
                                                         ExchangeDirection direction,
                                                         const MessageBoxFunction& show_message) {
  return std::make_unique<WindowDialogExchange>(reinterpret_cast<HWND>(dialog), direction,
                                                show_message);
}

}  // namespace quendral::os
