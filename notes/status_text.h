// Looking up a Notes status's text.
#ifndef QUENDRAL_NOTES_STATUS_TEXT_H_
#define QUENDRAL_NOTES_STATUS_TEXT_H_

#include <string>

#include "platform/notes/status.h"

namespace quendral {

// The status's message text, as the platform words it.
std::string StatusText(LNSTATUS status);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_STATUS_TEXT_H_
