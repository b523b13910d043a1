// One open database file: its notes and their items, read and written with
// prepared statements over one SQLite connection.
//
// Saves are single transactions, so a crash leaves either the old or the new
// note, never a mix. A note's sequence number is its version: a save names
// the sequence it started from and fails with kErrSaveConflict when the
// stored note has moved on, so no one's change is silently overwritten.
#ifndef QUENDRAL_PLATFORM_NOTES_STORE_STORE_H_
#define QUENDRAL_PLATFORM_NOTES_STORE_STORE_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notes/formula/value.h"
#include "platform/notes/images/note_images.h"
#include "platform/notes/store/store_connection.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform::store {

// An item as read from the file; the pointers live until the sink returns.
struct StoredItem {
  std::int64_t item_id = 0;
  std::string_view name;
  std::uint16_t type = 0;
  std::uint16_t flags = 0;
  const std::uint8_t* value = nullptr;  // the bytes after the data-type word
  std::size_t length = 0;
};

// An item to be saved, and what changed since it was read.
struct ItemWrite {
  enum class Change { kNone, kBytes, kWhole };
  std::int64_t item_id = 0;  // 0 for an item never stored; set by the save
  std::string_view name;
  std::uint16_t type = 0;
  std::uint16_t flags = 0;
  const std::uint8_t* value = nullptr;
  std::size_t length = 0;
  Change change = Change::kWhole;
  // For kBytes: the value bytes [first_changed, end_changed) differ, the
  // rest and the item's length, type and flags are as stored.
  std::size_t first_changed = 0;
  std::size_t end_changed = 0;
};

class Store {
 public:
  // Opens an existing database file.
  static STATUS Open(const std::filesystem::path& file, std::unique_ptr<Store>* store);
  // Creates a new, empty database file (it must not exist yet).
  static STATUS Create(const std::filesystem::path& file, const DatabaseInfo& info,
                       std::unique_ptr<Store>* store);

  STATUS ReadInfo(DatabaseInfo* info);
  // Replaces the title and replica ID.
  STATUS WriteInfo(const DatabaseInfo& info);
  STATUS CountNotes(std::size_t* count);
  // kErrNoteNotFound when there is no such note.
  STATUS FindDocument(const UNIVERSALNOTEID& unid, NoteHeader* header);
  STATUS FindProfile(std::string_view name, std::string_view user, NoteHeader* header);
  // The first `limit` documents in note ID order.
  STATUS ListDocuments(std::vector<UNIVERSALNOTEID>* ids,
                       std::size_t limit = std::numeric_limits<std::size_t>::max());
  STATUS CountDocuments(std::size_t* count);
  // At most `limit` documents whose note IDs follow `after_note_id`, in note
  // ID order: a database read a page at a time, however large it is.
  STATUS ListDocumentsAfter(std::int64_t after_note_id, std::size_t limit,
                            std::vector<NoteHeader>* headers);
  STATUS ListNotes(std::vector<NoteHeader>* headers);
  // At most `limit` notes, profiles too, whose note IDs follow
  // `after_note_id`, in note ID order.
  STATUS ListNotesAfter(std::int64_t after_note_id, std::size_t limit,
                        std::vector<NoteHeader>* headers);
  // Whether a document with that identity is stored: one indexed lookup.
  STATUS HasDocument(const UNIVERSALNOTEID& unid, bool* found);

  using ItemSink = std::function<STATUS(const StoredItem&)>;
  // The note's items in storage order; stops at the first status the sink
  // returns.
  STATUS LoadItems(std::int64_t note_id, const ItemSink& sink);
  // The documents ListDocumentsAfter would list, each with its items in
  // storage order, read from one state of the file: a page of documents for
  // readers that need their items as values rather than as open notes. The sink may
  // change the items it is given; they are read afresh for the next note.
  // Stops at the first status the sink returns.
  using DocumentSink =
      std::function<STATUS(const NoteHeader& header, std::vector<ItemImage>& items)>;
  STATUS ReadDocumentsAfter(std::int64_t after_note_id, std::size_t limit,
                            const DocumentSink& sink);
  // The note as it is now, header and items read from the same state of the
  // file even while others write. A header listed in the read group still
  // open is that state already: it is kept, and only the items are read.
  STATUS ReadNote(std::int64_t note_id, NoteHeader* header, const ItemSink& sink);

  // Saves a note in one transaction. A note with note_id 0 is inserted (with
  // the creation time of its header);
  // otherwise its stored sequence must still be header->sequence. With
  // `rewrite_items` every item row is written anew, else only changed ones,
  // and items never stored (item_id 0) are added behind the note's others.
  // On success the header carries the new sequence, modification time and
  // note ID and each item its row.
  STATUS SaveNote(NoteHeader* header, formula::DateTime now, bool rewrite_items,
                  std::vector<ItemWrite>* items);

  // A read group: the reads between BeginReadGroup and EndReadGroup see one
  // state of the file and share one transaction, which spares each read the
  // start of a transaction of its own. No saves in between.
  STATUS BeginReadGroup();
  STATUS EndReadGroup();

  // A save group: the saves between BeginSaveGroup and CommitSaveGroup are
  // written in one transaction, each still all or nothing on its own (a
  // conflicting or failing save leaves the others of the group standing).
  // Begin waits for another writer's lock at most the busy timeout;
  // AbortSaveGroup (and Close) roll back a group that was not committed.
  STATUS BeginSaveGroup();
  STATUS CommitSaveGroup();
  void AbortSaveGroup();

  // Inserts a note exactly as given (note_id 0: the next free one) and its
  // items, inside the caller's transaction.
  STATUS InsertNote(NoteHeader* header);
  STATUS InsertItem(std::int64_t note_id, std::int64_t position, ItemWrite* item);

  const Connection& connection() const { return connection_; }
  // Folds the write-ahead log into the file, so that the file alone holds
  // the whole database; kErrDatabaseBusy while a reader still needs the log.
  STATUS Checkpoint();
  // Folds what it can of the log into the file and closes it; a disk that
  // fails the folding is reported, though the saves are safe in the log.
  STATUS Close();

 private:
  Store() = default;
  STATUS PrepareStatements();
  STATUS ReadHeaders(Statement* statement, std::vector<NoteHeader>* headers);
  STATUS ReadItemsOfPage(const std::vector<NoteHeader>& headers, const DocumentSink& sink);
  STATUS UpdateNoteRow(NoteHeader* header, formula::DateTime now);
  STATUS WriteItems(const NoteHeader& header, bool rewrite_items, std::vector<ItemWrite>* items);
  STATUS WriteChangedBytes(const ItemWrite& item);
  STATUS AppendItem(std::int64_t note_id, ItemWrite* item);
  bool ListedInOpenReadGroup(const NoteHeader& header) const;
  // Runs `read` so that all it reads comes from one state of the file: in
  // the caller's read or save group, else in a read of its own.
  STATUS ReadInOneState(const std::function<STATUS()>& read);

  Connection connection_;
  // The read group open now, 0 when none is; numbered across all stores, so
  // that a header never matches a group it was not read in.
  std::uint64_t open_read_group_ = 0;
  std::unique_ptr<WriteTransaction> save_group_;
  Statement find_note_;
  Statement find_document_;
  Statement has_document_;
  Statement find_profile_;
  Statement list_documents_after_;
  Statement load_items_;
  Statement insert_note_;
  Statement update_note_;
  Statement insert_item_;
  Statement append_item_;
  Statement update_item_;
  Statement delete_items_;
};

}  // namespace quendral::platform::store

#endif  // QUENDRAL_PLATFORM_NOTES_STORE_STORE_H_
