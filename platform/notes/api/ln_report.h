// How every LN call hands out its status: returned, or thrown in
// throw-all-errors mode.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_REPORT_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_REPORT_H_

#include "platform/notes/vocabulary/status.h"

namespace quendral::platform::internal {

// Returns `status`; a non-zero status is thrown instead when the mode is on.
LNSTATUS Report(STATUS status);

}  // namespace quendral::platform::internal

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_REPORT_H_
