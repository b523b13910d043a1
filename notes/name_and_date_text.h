// Short texts of Notes values: the last part of a hierarchical name and a
// date-time.
#ifndef QUENDRAL_NOTES_NAME_AND_DATE_TEXT_H_
#define QUENDRAL_NOTES_NAME_AND_DATE_TEXT_H_

#include <string>

#include "platform/notes/api/ln_datetime.h"

namespace quendral {

// The last of the "/"-separated parts of `text`, stripped of white space
// ("CN=Ann/OU=Sales/O=Acme" gives "O=Acme"). Empty parts are skipped, so a
// trailing "/" is ignored, while a last part of blanks gives "". `text`
// itself when there is no part at all.
std::string LastSlashSegment(const char* text);

// "YYYY-MM-DDTHH:MM:SS" of `time`, e.g. 2001-03-05T07:08:09.
std::string FormatNotesDatetimeText(const LNDatetime& time);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_NAME_AND_DATE_TEXT_H_
