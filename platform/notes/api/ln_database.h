// LNDatabase: one database file. Copies share the same open database.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_DATABASE_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_DATABASE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/notes/api/ln_string.h"
#include "platform/notes/formula/access_list.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

class LNDocument;
class LNProfileDocument;

namespace quendral::platform {
class DocumentImages;
class ImageDatabase;
namespace internal {
struct DatabaseBinding;
}
}  // namespace quendral::platform

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
  // The access control list, in its order; empty for a database that has
  // none (whose creator's default entry then applies to everyone).
  LNSTATUS GetAccessList(std::vector<quendral::platform::formula::AccessEntry>* list) const;
  // Replaces the whole list; kErrInvalidArgument, with the list untouched,
  // for an entry without a name, with an unknown level, privilege or a role
  // outside brackets, or a name listed twice.
  LNSTATUS SetAccessList(const std::vector<quendral::platform::formula::AccessEntry>& list);
  // The database file, empty when not bound.
  LNString GetFilePath() const;

  // Binds `doc` to the document with that identity; kErrNoteNotFound when
  // there is none (profiles are not documents).
  LNSTATUS GetDocument(const UNIVERSALNOTEID& id, LNDocument* doc) const;
  // Every document's identity, in note ID order.
  LNSTATUS GetDocumentIDs(std::vector<UNIVERSALNOTEID>* ids) const;
  LNSTATUS GetDocumentCount(std::size_t* count) const;
  // Binds `docs` to at most `limit` documents whose note IDs follow
  // `after_note_id`, in note ID order, so that a database of any size is
  // gone through a page at a time.
  LNSTATUS GetDocuments(std::uint32_t after_note_id, std::size_t limit,
                        std::vector<LNDocument>* docs) const;
  // Lets the reads that follow, up to EndReadGroup, share one view of the
  // file and one transaction: faster for many reads. No saves in between.
  LNSTATUS BeginReadGroup();
  LNSTATUS EndReadGroup();
  // Writes the saves that follow, up to CommitSaveGroup, in one transaction.
  // Each save stays whole on its own: one that fails or conflicts is undone
  // alone. A group not committed is rolled back by AbortSaveGroup or Close.
  LNSTATUS BeginSaveGroup();
  LNSTATUS CommitSaveGroup();
  void AbortSaveGroup();
  // A new, open document with a fresh identity; stored by its first Save.
  LNSTATUS CreateDocument(LNDocument* doc);
  // The profile `name` of `user` ("" = the database's own), open; created
  // empty when the database has none yet.
  LNSTATUS GetProfileDocument(const LNString& name, LNProfileDocument* doc,
                              const LNString& user = "");

 private:
  friend class LNNotesSession;
  friend class quendral::platform::DocumentImages;
  friend class quendral::platform::ImageDatabase;
  std::shared_ptr<quendral::platform::internal::DatabaseBinding> binding_;
};

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_DATABASE_H_
