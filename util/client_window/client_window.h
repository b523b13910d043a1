// The Notes client's main window, merging menus, naming threads for a
// debugger, and posting status records to a window.
#ifndef QUENDRAL_UTIL_CLIENT_WINDOW_CLIENT_WINDOW_H_
#define QUENDRAL_UTIL_CLIENT_WINDOW_CLIENT_WINDOW_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/os/desktop/menu.h"
#include "platform/os/desktop/window.h"
#include "platform/os/thread_name.h"

namespace quendral::util {

// The main window of the running Notes client, found by the window class
// that the client's settings file (at `settings_path`, or "Notes.Ini" on the
// search path when it is empty) says it uses; 0 when there is none.
os::WindowHandle FindNotesClientWindow(const std::string& settings_path);

// Adds every item of `source` to `destination`, submenus copied recursively.
// With `top_level`, a submenu whose text matches one of `destination`'s
// submenus ("&" aside) is merged into it, and a new one goes before
// "Window", "?" or "Help". False at the first failure; what was merged
// before it stays.
bool MergeMenu(os::MenuHandle destination, os::MenuHandle source, bool top_level);

// Gives the thread `name` for an attached debugger.
void SetThreadDebugName(os::ThreadId thread, const char* name);

// The time of day as the Windows SYSTEMTIME holds it.
struct StatusTime {
  std::uint16_t year;
  std::uint16_t month;
  std::uint16_t day_of_week;
  std::uint16_t day;
  std::uint16_t hour;
  std::uint16_t minute;
  std::uint16_t second;
  std::uint16_t milliseconds;
};

// The block one status post hands to the receiving window; 190 bytes where
// addresses are 32 bits wide (the message text's address takes 8 bytes
// where they are 64). The receiver owns it: see TakeStatusRecord.
#pragma pack(push, 1)
struct StatusRecord {
  std::int32_t kind;
  std::int32_t value1;
  std::int32_t value2;
  char code[10];
  std::int32_t code_number;
  char sender[64];
  char source[64];
  StatusTime time;
  std::int32_t value3;
  std::int32_t value4;
  std::int32_t value5;
  char* message_text;
  std::uint32_t message_length;
};
#pragma pack(pop)

struct StatusRecordDeleter {
  void operator()(StatusRecord* record) const;
};
using OwnedStatusRecord = std::unique_ptr<StatusRecord, StatusRecordDeleter>;

// Takes ownership of the record a status message carries as its second
// parameter, with its message text.
OwnedStatusRecord TakeStatusRecord(std::intptr_t second_parameter);

// Knows where status records go: posts them to a window as a message.
class StatusPoster {
 public:
  // Texts longer than this are cut before they are posted.
  static constexpr std::size_t kMaxFormattedLength = 1023;

  void Initialise(const std::string& name, os::WindowHandle window, std::uint32_t message);

  // Posts a record with these fields; the message's first parameter is
  // `kind`. False when it could not be posted (the record is freed then).
  bool Post(const std::string& code, int code_number, const std::string& source, int kind,
            int value1, int value2, int value3, int value4, int value5,
            const std::string& message_text) const;

  // Post with the message text formatted printf-style.
  bool PostFormatted(const std::string& code, int code_number, const std::string& source, int kind,
                     int value1, int value2, int value3, int value4, int value5, const char* format,
                     ...) const __attribute__((format(printf, 11, 12)));

  // A plain report from `source`: empty code, code number 0, kind 1, third
  // value 1, the other values 0.
  bool PostReport(const std::string& source, const char* format, ...) const
      __attribute__((format(printf, 3, 4)));

  // PostFormatted with string `format_id` of the string table of the
  // source of resources (os::ResourceSource) as the format. A missing
  // string, or an identifier above 0xFFFF, formats as the empty text.
  bool PostFormattedFromStringTable(const std::string& code, int code_number,
                                    const std::string& source, int kind, int value1, int value2,
                                    int value3, int value4, int value5, unsigned int format_id,
                                    ...) const;

  // PostReport with string `text_id` of that string table as its text, a
  // format without arguments: "%%" gives "%", and any other conversion is
  // kept as it stands, since there is no argument to read for it.
  bool PostReportFromStringTable(const std::string& source, std::uint16_t text_id) const;

 private:
  // A plain report's fixed values with `text`.
  bool PostReportText(const std::string& source, const std::string& text) const;

  std::string name_;
  os::WindowHandle window_ = 0;
  std::uint32_t message_ = 0;
};

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_CLIENT_WINDOW_CLIENT_WINDOW_H_
