// Moving values between a dialog's edit controls and program variables, the
// way a dialog's data exchange does it: one exchange runs in one direction
// over several controls, and a bad entry ends the whole exchange at once with
// the offending control focused and its text selected.
//
// On Windows the exchange works on a real dialog window: GetDlgItem,
// GetWindowTextA, SetWindowTextA, SendMessageA (EM_LIMITTEXT, EM_LINELENGTH,
// EM_SETSEL), SetFocus and MessageBoxA. Other systems have no dialog windows;
// there the in-memory exchange below stands in for the dialog.
#ifndef QUENDRAL_PLATFORM_OS_DESKTOP_DIALOG_EXCHANGE_H_
#define QUENDRAL_PLATFORM_OS_DESKTOP_DIALOG_EXCHANGE_H_

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/os/desktop/window.h"

namespace quendral::os {

enum class ExchangeDirection {
  kLoad,  // from the variables into the controls
  kSave,  // from the controls into the variables, with checking
};

// What DialogExchange::Fail throws. Whoever started the exchange catches it;
// the variables not yet saved keep their values.
class DialogExchangeFailed : public std::runtime_error {
 public:
  DialogExchangeFailed() : std::runtime_error("dialog data exchange failed") {}
};

// One exchange over the edit controls of one dialog. Controls are named by
// their identifiers; naming one the dialog does not have is a programming
// error and throws std::invalid_argument.
class DialogExchange {
 public:
  virtual ~DialogExchange() = default;

  virtual bool IsSaving() const = 0;

  // Makes `control_id` the edit control that a failure of this exchange step
  // points the user at.
  virtual void PrepareEditControl(int control_id) = 0;

  // Copies at most `size` - 1 characters of the control's text and a zero
  // terminator into `buffer` (nothing when `size` is 0 or less); returns the
  // number of characters copied.
  virtual int GetText(int control_id, char* buffer, int size) = 0;
  virtual std::string GetText(int control_id) = 0;
  virtual void SetText(int control_id, const char* text) = 0;

  // Limits what the user can type into the control to `max_length`
  // characters; text set by the program is not cut.
  virtual void LimitText(int control_id, int max_length) = 0;
  // The length of the control's text, as the control itself reports it.
  virtual int LineLength(int control_id) = 0;

  // Shows `text` in a message box owned by the dialog, with an empty caption
  // and only an OK button, and returns when the user has closed it.
  virtual void ShowMessage(const char* text) = 0;

  // Gives the prepared control the keyboard focus and selects its whole
  // text, so that the user can type over a refused entry.
  virtual void FocusAndSelect() = 0;

  // Points the user at the prepared control and ends the exchange by
  // throwing DialogExchangeFailed.
  [[noreturn]] void Fail() {
    FocusAndSelect();
    throw DialogExchangeFailed();
  }
};

// Shows a message on behalf of the dialog `owner`; lets callers (tests above
// all) replace the message box, which would wait for a user.
using MessageBoxFunction = std::function<void(WindowHandle owner, const char* text)>;

// The exchange over the dialog window `dialog`. Messages go to `show_message`
// when one is given, else to a message box. Null where the system has no
// dialog windows (everywhere but Windows).
std::unique_ptr<DialogExchange> OpenWindowDialogExchange(
    WindowHandle dialog, ExchangeDirection direction, const MessageBoxFunction& show_message = {});

// A dialog held in memory: edit controls with their texts, the keyboard
// focus and the selection, and the messages shown. It behaves as the window
// exchange does, on every system, and lets the caller look at the outcome.
class MemoryDialogExchange final : public DialogExchange {
 public:
  // Nothing is limited, focused or selected yet.
  static constexpr int kNone = -1;

  explicit MemoryDialogExchange(ExchangeDirection direction) : direction_(direction) {}

  void set_direction(ExchangeDirection direction) { direction_ = direction; }
  void AddEditControl(int control_id, std::string text = {});

  const std::string& TextOf(int control_id) const;
  int LimitOf(int control_id) const;
  int focused_control() const { return focused_control_; }
  // True when the whole text of the focused control is selected.
  bool whole_text_selected() const { return whole_text_selected_; }
  const std::vector<std::string>& messages() const { return messages_; }

  bool IsSaving() const override { return direction_ == ExchangeDirection::kSave; }
  void PrepareEditControl(int control_id) override;
  int GetText(int control_id, char* buffer, int size) override;
  std::string GetText(int control_id) override;
  void SetText(int control_id, const char* text) override;
  void LimitText(int control_id, int max_length) override;
  int LineLength(int control_id) override;
  void ShowMessage(const char* text) override;
  void FocusAndSelect() override;

 private:
  struct EditControl {
    std::string text;
    int limit = kNone;
  };

  EditControl& Control(int control_id);
  const EditControl& Control(int control_id) const;

  ExchangeDirection direction_;
  std::map<int, EditControl> controls_;
  int prepared_control_ = kNone;
  int focused_control_ = kNone;
  bool whole_text_selected_ = false;
  std::vector<std::string> messages_;
};

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DESKTOP_DIALOG_EXCHANGE_H_
