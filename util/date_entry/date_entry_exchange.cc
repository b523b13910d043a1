// Date fields of a dialog: moving a date between an edit control and a
// variable, normalising and checking it on the way in.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "util/date_entry/date_entry.h"
#include "util/dates/datetime.h"

namespace quendral::util {

namespace {

// At most this many characters of a field are read before it is normalised.
constexpr int kWorkBufferSize = 50;

[[noreturn]] void Refuse(os::DialogExchange& exchange, const char* message) {
  exchange.ShowMessage(message);
  exchange.Fail();
}

[[noreturn]] void RefuseLength(os::DialogExchange& exchange, int max_length) {
  char message[sizeof kMaxLengthMessage + 16];
  std::snprintf(message, sizeof message, kMaxLengthMessage, max_length);
  Refuse(exchange, message);
}

// The field's text, at most kWorkBufferSize - 1 characters of it.
std::string ReadField(os::DialogExchange& exchange, int control_id) {
  char work[kWorkBufferSize] = {};
  exchange.GetText(control_id, work, kWorkBufferSize);
  return work;
}

// A bare run of digits gets its separators, in the variable and the field.
void NormaliseField(os::DialogExchange& exchange, int control_id, std::string& text) {
  if (NormaliseDateText(text) != 0) {
    exchange.SetText(control_id, text.c_str());
  }
}

// The MM/DD/YYYY text of a day number; empty for 0 and for a day number that
// names no valid date.
std::string SerialText(int serial) {
  if (serial == 0) {
    return {};
  }
  DateTimeValue date(serial, kMonthDayYear);
  const char* text = date.FormatDate();
  return text != nullptr ? text : "";
}

}  // namespace

// The caller's buffer takes the field's text only once it has passed every
// check, so a refused entry leaves the variable as it was.
void ExchangeDateText(os::DialogExchange& exchange, int control_id, char* buffer, int max_length) {
  exchange.PrepareEditControl(control_id);
  if (!exchange.IsSaving()) {
    exchange.LimitText(control_id, max_length);
    exchange.SetText(control_id, buffer);
    return;
  }
  std::string field = ReadField(exchange, control_id);
  NormaliseField(exchange, control_id, field);
  if (exchange.LineLength(control_id) > max_length) {
    RefuseLength(exchange, max_length);
  }
  std::string text = exchange.GetText(control_id);
  text.resize(std::min(text.size(), static_cast<std::size_t>(max_length)));
  if (IsValidDateText(text.c_str()) == 0) {
    Refuse(exchange, kInvalidDateMessage);
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
}

void ExchangeDateString(os::DialogExchange& exchange, int control_id, std::string& value) {
  exchange.PrepareEditControl(control_id);
  if (!exchange.IsSaving()) {
    exchange.SetText(control_id, value.c_str());
    return;
  }
  std::string text = exchange.GetText(control_id);
  NormaliseField(exchange, control_id, text);
  if (IsValidDateText(text.c_str()) == 0) {
    Refuse(exchange, kInvalidDateMessage);
  }
  value = exchange.GetText(control_id);
}

void ExchangeDateSerial(os::DialogExchange& exchange, int control_id, int& serial) {
  exchange.PrepareEditControl(control_id);
  if (serial < 0) {
    serial = 0;
  }
  if (!exchange.IsSaving()) {
    exchange.SetText(control_id, SerialText(serial).c_str());
    return;
  }
  std::string text = ReadField(exchange, control_id);
  if (serial > 0 && text.empty()) {
    // The stored date is put back, and kept as it is: its text would not
    // read back as the same day number before year 100.
    exchange.SetText(control_id, SerialText(serial).c_str());
    return;
  }
  NormaliseField(exchange, control_id, text);
  if (IsValidDateText(text.c_str()) == 0) {
    Refuse(exchange, kInvalidDateMessage);
  }
  serial = DateTimeValue(text.c_str(), kMonthDayYear).GetSerial();
}

}  // namespace quendral::util
