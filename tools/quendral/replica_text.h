// Replica-ID texts typed by users of the tool, checked strictly.
#ifndef QUENDRAL_TOOLS_QUENDRAL_REPLICA_TEXT_H_
#define QUENDRAL_TOOLS_QUENDRAL_REPLICA_TEXT_H_

#include <string>

#include "platform/notes/vocabulary/types.h"

namespace quendral::cli {

// 16 hexadecimal digits, optionally with a colon after the eighth; a
// CommandError for anything else.
TIMEDATE ReplicaIdFromText(const std::string& text);

// A replica ID nobody has used before, in all likelihood.
TIMEDATE RandomReplicaId();

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_REPLICA_TEXT_H_
