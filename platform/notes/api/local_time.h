// The local wall-clock time, as dates of notes and formulas use it.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LOCAL_TIME_H_
#define QUENDRAL_PLATFORM_NOTES_API_LOCAL_TIME_H_

#include "platform/notes/formula/value.h"

namespace quendral::platform::internal {

formula::DateTime CurrentLocalTime();

}  // namespace quendral::platform::internal

#endif  // QUENDRAL_PLATFORM_NOTES_API_LOCAL_TIME_H_
