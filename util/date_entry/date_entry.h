// Date entry in dialog boxes, and busy waits on the performance counter.
//
// Dates typed into a field are read in month, day, year order. A bare run of
// 6 to 11 digits is taken as a date without its separators and gets "/"
// separators before it is checked.
#ifndef QUENDRAL_UTIL_DATE_ENTRY_DATE_ENTRY_H_
#define QUENDRAL_UTIL_DATE_ENTRY_DATE_ENTRY_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/os/desktop/dialog_exchange.h"

namespace quendral::util {

// Shown when a field holds more characters than its variable can take; %d is
// the variable's maximum.
inline constexpr char kMaxLengthMessage[] = "Max Length is %d";
// Shown when a field's text is not an acceptable date.
inline constexpr char kInvalidDateMessage[] = "Invalid Date or Format";

// Rewrites a run of 6 to 11 characters without any of the separators "/.-"
// as the first two characters, "/", the next two, "/", and the rest (the last
// two when there are 6): 022509 becomes 02/25/09. 1 when it rewrote the text,
// else 0. The characters are not examined.
int NormaliseDateText(std::string& text);
// The same on a zero-terminated text in a buffer of `buffer_size` bytes. A
// rewritten text is two characters longer; when it would not fit, or the
// buffer holds no terminator, the buffer is left untouched and 0 returned.
int NormaliseDateText(char* buffer, std::size_t buffer_size);

// 1 when `text` is acceptable in a date field: empty, or at least 6
// characters of digits and "/", "-", "." that (once normalised) name a valid
// date in month, day, year order. A null text counts as empty.
int IsValidDateText(const char* text);

// Moves a date text between the edit control `control_id` and `buffer`, which
// holds `max_length` characters and a terminator. Loading also limits the
// control to `max_length` characters. Saving normalises the field, then
// refuses (with a message, failing the exchange) a text longer than
// `max_length` or not a date; the buffer is changed only when the text is
// taken.
void ExchangeDateText(os::DialogExchange& exchange, int control_id, char* buffer, int max_length);

// The same for a string variable, without a length limit.
void ExchangeDateString(os::DialogExchange& exchange, int control_id, std::string& value);

// Moves a day number (0 for no date; a negative one is taken as 0) between
// the control, shown in MM/DD/YYYY form, and `serial`. Once a field holds a
// date it cannot be cleared: saving an emptied field keeps the day number and
// shows its date again. A day number without a date to show (one before year
// 0) shows an empty field and is kept.
void ExchangeDateSerial(os::DialogExchange& exchange, int control_id, int& serial);

// Spins the calling thread on the performance counter for `milliseconds`;
// neither sleeps nor yields. Returns at once when there is no counter.
void WaitMilliseconds(std::uint32_t milliseconds);

// Does the set-up and the first counter reading of a wait of `milliseconds`,
// but does not wait: what it costs is the overhead that timing a wait must
// subtract. Returns the low 32 bits of the ticks that had elapsed at the last
// reading, or 0 when there is no counter.
std::uint32_t WaitMillisecondsOverhead(std::uint32_t milliseconds);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_DATE_ENTRY_DATE_ENTRY_H_
