// The dialog held in memory: what an edit control does with its text, without
// a window.
#include "platform/os/desktop/dialog_exchange.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace quendral::os {

void MemoryDialogExchange::AddEditControl(int control_id, std::string text) {
  controls_[control_id] = EditControl{std::move(text), kNone};
}

namespace {

// The control map, const or not.
template <typename Controls>
auto& FindControl(Controls& controls, int control_id) {
  const auto found = controls.find(control_id);
  if (found == controls.end()) {
    throw std::invalid_argument("the dialog has no control " + std::to_string(control_id));
  }
  return found->second;
}

}  // namespace

MemoryDialogExchange::EditControl& MemoryDialogExchange::Control(int control_id) {
  return FindControl(controls_, control_id);
}

const MemoryDialogExchange::EditControl& MemoryDialogExchange::Control(int control_id) const {
  return FindControl(controls_, control_id);
}

const std::string& MemoryDialogExchange::TextOf(int control_id) const {
  return Control(control_id).text;
}

int MemoryDialogExchange::LimitOf(int control_id) const { return Control(control_id).limit; }

void MemoryDialogExchange::PrepareEditControl(int control_id) {
  Control(control_id);
  prepared_control_ = control_id;
}

int MemoryDialogExchange::GetText(int control_id, char* buffer, int size) {
  const std::string& text = Control(control_id).text;
  if (buffer == nullptr || size <= 0) {
    return 0;
  }
  const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return static_cast<int>(copied);
}

std::string MemoryDialogExchange::GetText(int control_id) { return Control(control_id).text; }

// A new text drops the selection, as it does in an edit control.
void MemoryDialogExchange::SetText(int control_id, const char* text) {
  Control(control_id).text = text != nullptr ? text : "";
  if (control_id == focused_control_) {
    whole_text_selected_ = false;
  }
}

void MemoryDialogExchange::LimitText(int control_id, int max_length) {
  Control(control_id).limit = max_length;
}

int MemoryDialogExchange::LineLength(int control_id) {
  return static_cast<int>(Control(control_id).text.size());
}

void MemoryDialogExchange::ShowMessage(const char* text) {
  messages_.emplace_back(text != nullptr ? text : "");
}

void MemoryDialogExchange::FocusAndSelect() {
  if (prepared_control_ != kNone) {
    focused_control_ = prepared_control_;
    whole_text_selected_ = true;
  }
}

}  // namespace quendral::os
