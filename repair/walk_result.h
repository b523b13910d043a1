// What a repair walk over one document reports.
#ifndef QUENDRAL_REPAIR_WALK_RESULT_H_
#define QUENDRAL_REPAIR_WALK_RESULT_H_

#include "platform/notes/vocabulary/status.h"

namespace quendral {

// What a repair walk reports: whether it changed the document, and the status
// that ended it early (0 when it ran to its end). Changes made before an error
// are still saved, but the call then fails.
struct WalkResult {
  bool changed = false;
  LNSTATUS error = 0;
};

}  // namespace quendral

#endif  // QUENDRAL_REPAIR_WALK_RESULT_H_
