// Layouts of item values, and their encoding and decoding.
//
// Every function here works on the value bytes that follow the 16-bit
// data-type word. All integers and doubles are little-endian:
//   0x0501 text list:      u16 count, count x u16 byte length, the texts
//   0x0300 number:         one double
//   0x0301 number list:    u16 count, u16 0, count x double
//   0x0401 date-time list: u16 count, u16 0, count x TIMEDATE (the
//                          date-time's seconds and zone in 64 bits: word 0
//                          low half, word 1 high half; see ToTimedate)
//   0x0001 rich text:      composite records (platform/notes/richtext)
// Any other type word holds opaque bytes here; the note-link list (0x0007),
// a document's link table, is read by the repairs that own it. An empty
// value decodes as an empty list. Decoding checks every length against the bytes given and reports
// kErrItemValueInvalid instead of reading past them.
#ifndef QUENDRAL_PLATFORM_NOTES_API_ITEM_VALUES_H_
#define QUENDRAL_PLATFORM_NOTES_API_ITEM_VALUES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/notes/formula/value.h"
#include "platform/notes/richtext/paragraphs.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform::values {

using Bytes = std::vector<std::uint8_t>;

// Lists longer than this cannot be encoded (the count is 16 bits).
inline constexpr std::size_t kMaxListEntries = 0xFFFF;

// Encoders fail with kErrItemValueInvalid when a list has too many entries,
// a text is longer than 65535 bytes, or a date-time cannot be stored.
STATUS EncodeTextList(const std::vector<std::string>& texts, Bytes* value);
STATUS DecodeTextList(const std::uint8_t* data, std::size_t length,
                      std::vector<std::string>* texts);

Bytes EncodeNumber(double number);
STATUS EncodeNumberList(const std::vector<double>& numbers, Bytes* value);
// Reads a number list (0x0301) or, with `type` 0x0300, a single number.
STATUS DecodeNumbers(std::uint16_t type, const std::uint8_t* data, std::size_t length,
                     std::vector<double>* numbers);

STATUS EncodeTimeList(const std::vector<formula::DateTime>& times, Bytes* value);
STATUS DecodeTimeList(const std::uint8_t* data, std::size_t length,
                      std::vector<formula::DateTime>* times);
// A date-time as stored, its zone included (layout in item_values.cc);
// false for a time too far from 1970 to be stored with its zone.
bool ToTimedate(formula::DateTime time, TIMEDATE* timedate);
// False for a stored pattern that is no date-time.
bool FromTimedate(const TIMEDATE& timedate, formula::DateTime* time);

Bytes EncodeRichText(const std::vector<richtext::Paragraph>& paragraphs);
STATUS DecodeRichText(const std::uint8_t* data, std::size_t length,
                      std::vector<richtext::Paragraph>* paragraphs);

// A formula value as an item value: texts as a text list, numbers as a
// number list, date-times as a date-time list.
STATUS EncodeFormulaValue(const formula::Value& value, std::uint16_t* type, Bytes* bytes);
// An item value of a text, number or date-time type as a formula value;
// kErrItemTypeMismatch for any other type.
STATUS DecodeFormulaValue(std::uint16_t type, const std::uint8_t* data, std::size_t length,
                          formula::Value* value);

}  // namespace quendral::platform::values

#endif  // QUENDRAL_PLATFORM_NOTES_API_ITEM_VALUES_H_
