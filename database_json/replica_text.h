// Replica-ID texts as users type them and database images hold them,
// checked strictly.
#ifndef QUENDRAL_DATABASE_JSON_REPLICA_TEXT_H_
#define QUENDRAL_DATABASE_JSON_REPLICA_TEXT_H_

#include <string>

#include "database_json/format_error.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::database_json {

// 16 hexadecimal digits, optionally with a colon after the eighth; a
// FormatError for anything else.
TIMEDATE ReplicaIdFromText(const std::string& text);

// A replica ID nobody has used before, in all likelihood.
TIMEDATE RandomReplicaId();

}  // namespace quendral::database_json

#endif  // QUENDRAL_DATABASE_JSON_REPLICA_TEXT_H_
