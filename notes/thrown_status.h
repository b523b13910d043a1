// The Notes helpers that turn platform failures into plain results catch the
// statuses the platform throws. A status the platform returns instead (its
// throw-all-errors mode off) is sent down the same road, so that the helpers
// give the same result whichever mode the caller left the platform in.
#ifndef QUENDRAL_NOTES_THROWN_STATUS_H_
#define QUENDRAL_NOTES_THROWN_STATUS_H_

#include "platform/notes/vocabulary/status.h"

namespace quendral {

// Throws a non-zero `status` as the platform throws its own.
inline void ThrowIfFailed(LNSTATUS status) {
  if (status != 0) {
    throw status;
  }
}

}  // namespace quendral

#endif  // QUENDRAL_NOTES_THROWN_STATUS_H_
