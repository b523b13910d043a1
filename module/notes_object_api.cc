#include "module/notes_object_api.h"

#include "notes/open_database.h"

namespace quendral {

void NotesObjectApi::SetThrowAllErrors(int on) { LNSetThrowAllErrorsGlobal(on); }

int NotesObjectApi::OpenDatabase(Session& session, Database& database, const char* server,
                                 const char* path) {
  return OpenNotesDatabase(session, database, server, path);
}

LNSTATUS NotesObjectApi::FindDocument(Database& database, const char* document_id,
                                      Document* document) {
  UNIVERSALNOTEID id{};
  LNUniversalID(LNString(document_id)).GetUniversalID(&id);
  return database.GetDocument(id, document);
}

}  // namespace quendral
