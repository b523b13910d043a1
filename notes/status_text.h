// Looking up a Notes status's text, and the statuses the Notes helpers add
// to the platform's own.
#ifndef QUENDRAL_NOTES_STATUS_TEXT_H_
#define QUENDRAL_NOTES_STATUS_TEXT_H_

#include <string>

#include "platform/notes/status.h"

namespace quendral {

// Raised when a database could not be opened without the platform having
// thrown a status of its own (OpenNotesDatabase returned 1). Its number
// lies outside the platform's statuses.
inline constexpr platform::STATUS kErrOpenFailed = 693;

// The status's message text, as the platform words it; ours included.
std::string StatusText(LNSTATUS status);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_STATUS_TEXT_H_
