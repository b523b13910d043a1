// How the object API reports errors, and the texts of its statuses.
//
// Every LN call that can fail returns an LNSTATUS (0 = success). With
// throw-all-errors mode on, a failing call throws the status as an LNSTATUS
// (unsigned long) instead of returning it. The mode is process-wide and off
// until switched on.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_ERRORS_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_ERRORS_H_

#include "platform/notes/vocabulary/status.h"

void LNSetThrowAllErrorsGlobal(int on);
bool LNGetThrowAllErrorsGlobal();

// Copies the text of `status` into `buffer`, cut to buffer_size - 1 bytes and
// zero-terminated. `flags` is accepted for compatibility and ignored. Returns
// kErrInvalidArgument (never thrown) when there is no buffer to write to.
LNSTATUS LNGetErrorMessageText(LNSTATUS status, char* buffer, unsigned buffer_size, int flags = 0);

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_ERRORS_H_
