// The operation frame's view of the Notes object API.
#ifndef QUENDRAL_MODULE_NOTES_OBJECT_API_H_
#define QUENDRAL_MODULE_NOTES_OBJECT_API_H_

#include "platform/notes/api/ln.h"

namespace quendral {

struct NotesObjectApi {
  using Session = LNNotesSession;
  using Database = LNDatabase;
  using Document = LNDocument;

  static void SetThrowAllErrors(int on);
  static int OpenDatabase(Session& session, Database& database, const char* server,
                          const char* path);
  // Looks the document up by its universal-ID text: the text becomes an
  // LNUniversalID, whose identity the database is asked for.
  static LNSTATUS FindDocument(Database& database, const char* document_id, Document* document);
};

}  // namespace quendral

#endif  // QUENDRAL_MODULE_NOTES_OBJECT_API_H_
