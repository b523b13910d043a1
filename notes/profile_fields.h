// Fields of a profile document read and written as one text or one number.
// Every status of the platform, thrown or returned, becomes a plain failure
// value. Note the order of the writers' arguments: value, then field name.
#ifndef QUENDRAL_NOTES_PROFILE_FIELDS_H_
#define QUENDRAL_NOTES_PROFILE_FIELDS_H_

#include <cstdint>
#include <string>

#include "platform/notes/api/ln.h"

namespace quendral {

// Empties `output`, then puts there the text field's values joined by ";",
// as stored (no code page conversion). Returns the output's length in bytes;
// 0 when the field is missing or not text.
std::int32_t ReadProfileText(const LNProfileDocument& profile, std::string* output,
                             const char* field);

// The first value of the number field, truncated toward zero (2.9 gives 2,
// -2.9 gives -2) and limited to the 32-bit range; -1 when the field is
// missing, empty, not a number or not a number at all (NaN).
std::int32_t ReadProfileNumber(const LNProfileDocument& profile, const char* field);

// Make the field hold the one value; the profile stores it at once.
// Failures are dropped.
void WriteProfileText(LNProfileDocument& profile, const char* value, const char* field);
void WriteProfileNumber(LNProfileDocument& profile, std::int32_t value, const char* field);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_PROFILE_FIELDS_H_
