#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>
#include <string_view>

#include "platform/os/desktop/window_message.h"
#include "platform/os/local_time.h"
#include "platform/os/resources.h"
#include "util/client_window/client_window.h"

namespace quendral::util {
namespace {

static_assert(offsetof(StatusRecord, value1) == 4);
static_assert(offsetof(StatusRecord, value2) == 8);
static_assert(offsetof(StatusRecord, code) == 12);
static_assert(offsetof(StatusRecord, code_number) == 22);
static_assert(offsetof(StatusRecord, sender) == 26);
static_assert(offsetof(StatusRecord, source) == 90);
static_assert(offsetof(StatusRecord, time) == 154);
static_assert(offsetof(StatusRecord, value3) == 170);
static_assert(offsetof(StatusRecord, value4) == 174);
static_assert(offsetof(StatusRecord, value5) == 178);
static_assert(offsetof(StatusRecord, message_text) == 182);
static_assert(sizeof(StatusRecord) == 182 + sizeof(char*) + 4);

// Cut to the field, which always keeps its terminator.
template <std::size_t kSize>
void CopyField(char (&field)[kSize], std::string_view text) {
  const std::size_t length = std::min(text.size(), kSize - 1);
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

StatusTime LocalTimeNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm fields{};
  if (!os::LocalTimeFields(seconds, &fields)) {
    return StatusTime{};
  }
  return {static_cast<std::uint16_t>(fields.tm_year + 1900),
          static_cast<std::uint16_t>(fields.tm_mon + 1),
          static_cast<std::uint16_t>(fields.tm_wday),
          static_cast<std::uint16_t>(fields.tm_mday),
          static_cast<std::uint16_t>(fields.tm_hour),
          static_cast<std::uint16_t>(fields.tm_min),
          static_cast<std::uint16_t>(fields.tm_sec),
          static_cast<std::uint16_t>(milliseconds)};
}

// printf-style into the bounded buffer a post allows; longer texts are cut.
std::string FormatBounded(const char* format, va_list arguments) {
  char buffer[StatusPoster::kMaxFormattedLength + 1];
  const int length = std::vsnprintf(buffer, sizeof(buffer), format, arguments);
  return length < 0 ? std::string() : std::string(buffer);
}

// The format a string-table form names; 16-bit identifiers are all there is.
std::string TableFormat(unsigned int id) {
  return id > 0xFFFF ? std::string() : os::LoadSourceString(static_cast<std::uint16_t>(id));
}

// A format used with no arguments, cut as FormatBounded cuts.
std::string FormatWithoutArguments(std::string_view format) {
  std::string text;
  for (std::size_t at = 0; at < format.size() && text.size() < StatusPoster::kMaxFormattedLength;
       ++at) {
    text += format[at];
    if (format[at] == '%' && at + 1 < format.size() && format[at + 1] == '%') {
      ++at;
    }
  }
  return text;
}

}  // namespace

void StatusRecordDeleter::operator()(StatusRecord* record) const {
  if (record != nullptr) {
    delete[] record->message_text;
    delete record;
  }
}

OwnedStatusRecord TakeStatusRecord(std::intptr_t second_parameter) {
  // The address travels as a message parameter, an integer.
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  return OwnedStatusRecord(reinterpret_cast<StatusRecord*>(second_parameter));
}

void StatusPoster::Initialise(const std::string& name, os::WindowHandle window,
                              std::uint32_t message) {
  name_ = name;
  window_ = window;
  message_ = message;
}

bool StatusPoster::Post(const std::string& code, int code_number, const std::string& source,
                        int kind, int value1, int value2, int value3, int value4, int value5,
                        const std::string& message_text) const {
  OwnedStatusRecord record(new (std::nothrow) StatusRecord{});
  if (record == nullptr) {
    return false;
  }
  record->kind = kind;
  record->value1 = value1;
  record->value2 = value2;
  CopyField(record->code, code);
  record->code_number = code_number;
  CopyField(record->sender, name_);
  CopyField(record->source, source);
  record->time = LocalTimeNow();
  record->value3 = value3;
  record->value4 = value4;
  record->value5 = value5;
  record->message_text = new (std::nothrow) char[message_text.size() + 1];
  if (record->message_text == nullptr) {
    return false;
  }
  std::memcpy(record->message_text, message_text.c_str(), message_text.size() + 1);
  record->message_length = static_cast<std::uint32_t>(message_text.size());
  if (!os::PostWindowMessage(window_, message_, static_cast<std::uintptr_t>(kind),
                             reinterpret_cast<std::intptr_t>(record.get()))) {
    return false;
  }
  // The receiver owns it now.
  static_cast<void>(record.release());
  return true;
}

bool StatusPoster::PostFormatted(const std::string& code, int code_number,
                                 const std::string& source, int kind, int value1, int value2,
                                 int value3, int value4, int value5, const char* format,
                                 ...) const {
  va_list arguments;
  va_start(arguments, format);
  const std::string text = FormatBounded(format, arguments);
  va_end(arguments);
  return Post(code, code_number, source, kind, value1, value2, value3, value4, value5, text);
}

bool StatusPoster::PostReport(const std::string& source, const char* format, ...) const {
  va_list arguments;
  va_start(arguments, format);
  const std::string text = FormatBounded(format, arguments);
  va_end(arguments);
  return PostReportText(source, text);
}

bool StatusPoster::PostFormattedFromStringTable(const std::string& code, int code_number,
                                                const std::string& source, int kind, int value1,
                                                int value2, int value3, int value4, int value5,
                                                unsigned int format_id, ...) const {
  const std::string format = TableFormat(format_id);
  va_list arguments;
  va_start(arguments, format_id);
  const std::string text = FormatBounded(format.c_str(), arguments);
  va_end(arguments);
  return Post(code, code_number, source, kind, value1, value2, value3, value4, value5, text);
}

bool StatusPoster::PostReportFromStringTable(const std::string& source,
                                             std::uint16_t text_id) const {
  return PostReportText(source, FormatWithoutArguments(os::LoadSourceString(text_id)));
}

bool StatusPoster::PostReportText(const std::string& source, const std::string& text) const {
  return Post("", 0, source, 1, 0, 0, 1, 0, 0, text);
}

}  // namespace quendral::util
