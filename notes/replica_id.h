// The text forms of a database replica ID, read and written in one place.
//
// Written: "%08X%08X" or, for link comparison, "%08X:%08X" (word 1 first),
// upper-case. Read in one of three forms, each named for how much it takes:
// - leniently, as the exported functions read a database argument: at least
//   16 characters, each half converted up to its first non-hex character;
// - strictly, as the tool reads what its users type: 16 hexadecimal digits,
//   optionally with a colon after the eighth, and nothing else;
// - strictly or padded, as exports write replica IDs in attributes: the
//   strict form, or 1 to 15 digits standing for the number they write.
// In every form the first eight digits are word 1, the last eight word 0.
#ifndef QUENDRAL_NOTES_REPLICA_ID_H_
#define QUENDRAL_NOTES_REPLICA_ID_H_

#include <optional>
#include <string>
#include <string_view>

#include "platform/notes/vocabulary/types.h"

namespace quendral {

// Fills `replica_id` from `text`; leaves it untouched when the text is shorter
// than 16 characters. Each half converts up to its first non-hex character.
void ParseReplicaIdTextLeniently(const char* text, TIMEDATE* replica_id);

// The ID of 16 hexadecimal digits, optionally with a colon after the eighth;
// nothing for any other text.
std::optional<TIMEDATE> ParseReplicaIdTextStrictly(std::string_view text);

// As ParseReplicaIdTextStrictly, and also 1 to 15 digits, read as if
// left-padded with zeros.
std::optional<TIMEDATE> ParseReplicaIdTextStrictlyOrPadded(std::string_view text);

std::string FormatReplicaIdText(const TIMEDATE& replica_id, bool with_colon);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_REPLICA_ID_H_
