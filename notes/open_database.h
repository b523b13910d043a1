// Opening a database named by a server text and a path-or-replica-ID text.
#ifndef QUENDRAL_NOTES_OPEN_DATABASE_H_
#define QUENDRAL_NOTES_OPEN_DATABASE_H_

#include "platform/notes/api/ln.h"

namespace quendral {

// Binds `database` and opens it. `server` "local" or "LOCAL" means this
// machine, as "" does ("Local" is a server name). A `path` without "." is a
// replica ID (in one of the text forms of notes/replica_id.h) and
// must fit 71 bytes; any other is a path relative to the server's data
// directory. Returns 0 when the database is open, 1 when a step failed;
// statuses thrown by the platform pass through to the caller.
int OpenNotesDatabase(LNNotesSession& session, LNDatabase& database, const char* server,
                      const char* path);

// The same, returning the status of the step that failed: the reason, with
// no need to have the platform throw its errors (a setting of the whole
// process, which threads opening databases at once must leave alone).
LNSTATUS OpenNotesDatabaseStatus(LNNotesSession& session, LNDatabase& database, const char* server,
                                 const char* path);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_OPEN_DATABASE_H_
