// LNDatabase: one database file. Copies share the same open database.
#ifndef QUENDRAL_PLATFORM_NOTES_LN_DATABASE_H_
#define QUENDRAL_PLATFORM_NOTES_LN_DATABASE_H_

#include <memory>
#include <vector>

#include "platform/notes/ln_string.h"
#include "platform/notes/status.h"
#include "platform/notes/types.h"

class LNDocument;
class LNProfileDocument;

namespace notes::internal {
struct DatabaseBinding;
}

class LNDatabase {
 public:
  LNDatabase();
  ~LNDatabase();
  LNDatabase(const LNDatabase&);
  LNDatabase& operator=(const LNDatabase&);

  // kErrDatabaseNotFound when not bound to a database.
  LNSTATUS Open();
  bool IsOpen() const;
  LNSTATUS Close();

  LNSTATUS GetReplicaID(TIMEDATE* replica_id) const;
  LNSTATUS GetTitle(LNString* title) const;
  // The database file, empty when not bound.
  LNString GetFilePath() const;

  // Binds `doc` to the document with that identity; kErrNoteNotFound when
  // there is none (profiles are not documents).
  LNSTATUS GetDocument(const UNIVERSALNOTEID& id, LNDocument* doc) const;
  // Every document's identity, in note ID order.
  LNSTATUS GetDocumentIDs(std::vector<UNIVERSALNOTEID>* ids) const;
  // A new, open document with a fresh identity; stored by its first Save.
  LNSTATUS CreateDocument(LNDocument* doc);
  // The profile `name` of `user` ("" = the database's own), open; created
  // empty when the database has none yet.
  LNSTATUS GetProfileDocument(const LNString& name, LNProfileDocument* doc,
                              const LNString& user = "");

 private:
  friend class LNNotesSession;
  std::shared_ptr<notes::internal::DatabaseBinding> binding_;
};

#endif  // QUENDRAL_PLATFORM_NOTES_LN_DATABASE_H_
