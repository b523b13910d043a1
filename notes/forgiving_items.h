// Single values of a note's items, read and written forgivingly: every
// status of the platform, thrown or returned, becomes a plain failure value,
// so callers never see an exception from here.
#ifndef QUENDRAL_NOTES_FORGIVING_ITEMS_H_
#define QUENDRAL_NOTES_FORGIVING_ITEMS_H_

#include <cstdint>
#include <string>

#include "platform/notes/api/ln.h"

namespace quendral {

// The item flag word of every item the Notes helpers create.
inline constexpr std::uint16_t kCreatedItemFlag = 0x0008;

// The values of `item` as one text, by its type: a text, date-time or number
// list joined by ";", rich text as its whole plain text; empty for any other
// type. A failure of the platform is thrown as an LNSTATUS, whatever the
// platform's throw-all-errors mode.
LNString JoinedItemText(const LNItem& item);

// `text` as the process's native 8-bit text: converted from the OEM to the
// ANSI code page (see platform/os/code_page.h), then every byte 0xA5 (yen)
// replaced by 0xD8 (capital O with stroke) and every 0xA2 (cent) by 0xF8
// (small o with stroke).
std::string NotesTextToNative(const LNString& text);

// Empties `output`, then puts there the item `name`'s JoinedItemText in
// native text. Returns the output's length in bytes: 0 when the item is
// missing, of another type or cannot be read. The two entries differ only
// in their order of arguments.
std::int32_t ReadItemText(const LNNote& note, std::string* output, const char* name);
std::int32_t ReadItemText(const LNNote& note, const char* name, std::string* output);

// The item's text read as a decimal integer the way atoi reads it (leading
// white space, a sign, digits up to the first other character), limited to
// the 32-bit range; 0 for an empty, missing or unreadable item. The result
// is also stored through `value` unless that is null.
std::int32_t ReadItemInteger(const LNNote& note, const char* name, std::int32_t* value);

// Give the note an item `name` holding the one value, in place of any item
// of that name, with the item flag 0x0008. The note is not saved; failures
// are dropped.
void CreateTextItem(LNNote& note, const char* name, const char* value);
void CreateNumberItem(LNNote& note, const char* name, std::int32_t value);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_FORGIVING_ITEMS_H_
