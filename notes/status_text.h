// Looking up a Notes status's text, and the statuses the Notes helpers add
// to the platform's own.
#ifndef QUENDRAL_NOTES_STATUS_TEXT_H_
#define QUENDRAL_NOTES_STATUS_TEXT_H_

#include <cstddef>
#include <optional>
#include <string>

#include "platform/notes/vocabulary/status.h"

namespace quendral {

// Raised when a database could not be opened without the platform having
// thrown a status of its own (OpenNotesDatabase returned 1). Its number
// lies outside the platform's statuses.
inline constexpr platform::STATUS kErrOpenFailed = 693;

// The status's message text, as the platform words it; ours included.
std::string StatusText(LNSTATUS status);

// Why a formula could not be evaluated, as users read it: the status's text,
// then the formula engine's reason and where in the formula it arose
// ("The formula could not be evaluated: Division by zero at position 4").
std::string EvaluationFailureText(const std::string& reason, std::optional<std::size_t> position);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_STATUS_TEXT_H_
