// The text forms of a database replica ID.
//
// Read: 16 hexadecimal digits, optionally with a colon after the eighth; the
// first eight digits are word 1, the last eight word 0. Written: "%08X%08X"
// or, for link comparison, "%08X:%08X" (word 1 first), upper-case.
#ifndef QUENDRAL_NOTES_REPLICA_ID_H_
#define QUENDRAL_NOTES_REPLICA_ID_H_

#include <string>

#include "platform/notes/vocabulary/types.h"

namespace quendral {

// Fills `replica_id` from `text`; leaves it untouched when the text is shorter
// than 16 characters. Each half converts up to its first non-hex character.
void ParseReplicaIdText(const char* text, TIMEDATE* replica_id);

std::string FormatReplicaIdText(const TIMEDATE& replica_id, bool with_colon);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_REPLICA_ID_H_
