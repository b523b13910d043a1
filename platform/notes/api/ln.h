// The Notes object API: everything of it in one include.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_H_

#include "platform/notes/api/ln_database.h"
#include "platform/notes/api/ln_datetime.h"
#include "platform/notes/api/ln_errors.h"
#include "platform/notes/api/ln_formula.h"
#include "platform/notes/api/ln_item.h"
#include "platform/notes/api/ln_note.h"
#include "platform/notes/api/ln_session.h"
#include "platform/notes/api/ln_string.h"
#include "platform/notes/api/ln_universal_id.h"

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_H_
