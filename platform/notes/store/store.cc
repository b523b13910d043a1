#include "platform/notes/store/store.h"

#include <array>
#include <atomic>
#include <utility>

#include "platform/base/byte_reader.h"
#include "platform/base/coding.h"
#include "platform/notes/store/schema.h"

namespace quendral::platform::store {
namespace {

using base::sqlite::TransactionStep;

// Values from this size on get only their changed bytes written. Below it,
// rewriting the row with the prepared statement is cheaper than opening the
// value for a partial write, which compiles a statement of its own each time.
constexpr std::size_t kPartialWriteThreshold = std::size_t{16} * 1024;

constexpr const char* kNoteColumns =
    "note_id, unid, note_class, profile_name, profile_user, sequence, created, modified";

std::array<std::uint8_t, 16> UnidBytes(const UNIVERSALNOTEID& unid) {
  std::array<std::uint8_t, 16> bytes{};
  std::uint8_t* out = bytes.data();
  for (std::uint32_t word :
       {unid.File.Innards[0], unid.File.Innards[1], unid.Note.Innards[0], unid.Note.Innards[1]}) {
    base::StoreLittle32(out, word);
    out += 4;
  }
  return bytes;
}

UNIVERSALNOTEID UnidOfBytes(const std::uint8_t* data, std::size_t length) {
  UNIVERSALNOTEID unid{};
  base::ByteReader reader(data, length);
  for (std::uint32_t* word : {&unid.File.Innards[0], &unid.File.Innards[1], &unid.Note.Innards[0],
                              &unid.Note.Innards[1]}) {
    reader.ReadU32(word);
  }
  return unid;
}

NoteHeader HeaderOfRow(const Statement& row) {
  NoteHeader header;
  header.note_id = row.ColumnInt(0);
  header.unid = UnidOfBytes(row.ColumnBlob(1), row.ColumnBytes(1));
  header.note_class = row.ColumnInt(2) == 1 ? NoteClass::kProfile : NoteClass::kDocument;
  header.profile_name = row.ColumnText(3);
  header.profile_user = row.ColumnText(4);
  header.sequence = static_cast<std::uint32_t>(row.ColumnInt(5));
  header.created = formula::DateTime{row.ColumnInt(6)};
  header.modified = formula::DateTime{row.ColumnInt(7)};
  return header;
}

// Runs a statement that selects at most one note.
STATUS FindOne(Statement* statement, NoteHeader* header) {
  int result = statement->Step();
  if (result == SQLITE_ROW) {
    *header = HeaderOfRow(*statement);
  }
  statement->Reset();
  if (result == SQLITE_DONE) {
    return kErrNoteNotFound;
  }
  return StatusOfSqlite(result);
}

}  // namespace

STATUS Store::Open(const std::filesystem::path& file, std::unique_ptr<Store>* store) {
  // SQLite would wait forever reading a FIFO and fail only later on a
  // directory; neither can be a database.
  std::error_code error;
  const std::filesystem::file_status found = std::filesystem::status(file, error);
  if (std::filesystem::exists(found) && !std::filesystem::is_regular_file(found)) {
    return kErrDatabaseDamaged;
  }
  std::unique_ptr<Store> opened(new Store);
  STATUS status = OpenConnection(file, false, &opened->connection_);
  // Checked first: a file that is not ours must stay untouched.
  if (status == kNoError) {
    status = CheckSchema(opened->connection_);
  }
  if (status == kNoError) {
    status = StatusOfSqlite(opened->connection_.UseWriteAheadLog());
  }
  if (status == kNoError) {
    status = opened->PrepareStatements();
  }
  if (status == kNoError) {
    *store = std::move(opened);
  }
  return status;
}

STATUS Store::Create(const std::filesystem::path& file, const DatabaseInfo& info,
                     std::unique_ptr<Store>* store) {
  std::unique_ptr<Store> created(new Store);
  STATUS status = OpenConnection(file, true, &created->connection_);
  if (status == kNoError) {
    status = StatusOfSqlite(created->connection_.UseWriteAheadLog());
  }
  if (status == kNoError) {
    status = CreateSchema(created->connection_);
  }
  Statement insert;
  if (status == kNoError) {
    status = StatusOfSqlite(created->connection_.Prepare(
        "INSERT INTO database_info (singleton, replica_word0, replica_word1, title) "
        "VALUES (1, ?, ?, ?)",
        &insert));
  }
  if (status == kNoError) {
    insert.BindInt(1, info.replica_id.Innards[0]);
    insert.BindInt(2, info.replica_id.Innards[1]);
    insert.BindBlob(3, info.title);
    status = StatusOfSqlite(insert.Run());
  }
  insert = Statement();
  if (status == kNoError) {
    status = created->PrepareStatements();
  }
  if (status == kNoError) {
    *store = std::move(created);
  }
  return status;
}

STATUS Store::PrepareStatements() {
  std::string select_notes = std::string("SELECT ") + kNoteColumns + " FROM notes ";
  const std::pair<Statement*, std::string> statements[] = {
      {&find_note_, select_notes + "WHERE note_id = ?"},
      {&find_document_, select_notes + "WHERE unid = ? AND note_class = 0"},
      {&has_document_, "SELECT 1 FROM notes WHERE unid = ? AND note_class = 0"},
      {&find_profile_,
       select_notes + "WHERE note_class = 1 AND profile_name = ? AND profile_user = ?"},
      {&list_documents_after_,
       select_notes + "WHERE note_class = 0 AND note_id > ? ORDER BY note_id LIMIT ?"},
      {&load_items_,
       "SELECT item_id, name, type, flags, value FROM items WHERE note_id = ? ORDER BY position"},
      {&insert_note_,
       std::string("INSERT INTO notes (") + kNoteColumns + ") VALUES (?, ?, ?, ?, ?, ?, ?, ?)"},
      {&update_note_,
       "UPDATE notes SET sequence = sequence + 1, modified = ? "
       "WHERE note_id = ? AND sequence = ?"},
      {&insert_item_,
       "INSERT INTO items (note_id, position, name, type, flags, value) "
       "VALUES (?, ?, ?, ?, ?, ?)"},
      {&append_item_,
       "INSERT INTO items (note_id, position, name, type, flags, value) VALUES (?1, "
       "(SELECT coalesce(max(position) + 1, 0) FROM items WHERE note_id = ?1), ?2, ?3, ?4, ?5)"},
      {&update_item_, "UPDATE items SET type = ?, flags = ?, value = ? WHERE item_id = ?"},
      {&delete_items_, "DELETE FROM items WHERE note_id = ?"},
  };
  for (const auto& [statement, sql] : statements) {
    STATUS status = StatusOfSqlite(connection_.Prepare(sql, statement));
    if (status != kNoError) {
      return status;
    }
  }
  return kNoError;
}

STATUS Store::Checkpoint() {
  Statement statement;
  STATUS status =
      StatusOfSqlite(connection_.Prepare("PRAGMA wal_checkpoint(TRUNCATE)", &statement));
  if (status != kNoError) {
    return status;
  }
  int result = statement.Step();
  if (result != SQLITE_ROW) {
    return StatusOfSqlite(result);
  }
  return statement.ColumnInt(0) == 0 ? kNoError : kErrDatabaseBusy;
}

STATUS Store::BeginReadGroup() {
  static std::atomic<std::uint64_t> read_groups{0};
  STATUS status = StatusOfSqlite(connection_.Run(TransactionStep::kBegin));
  if (status == kNoError) {
    open_read_group_ = ++read_groups;
  }
  return status;
}

STATUS Store::EndReadGroup() {
  open_read_group_ = 0;
  return StatusOfSqlite(connection_.Run(TransactionStep::kCommit));
}

bool Store::ListedInOpenReadGroup(const NoteHeader& header) const {
  // A group whose transaction SQLite ended on an error no longer holds the
  // state its headers were read in.
  return header.read_group != 0 && header.read_group == open_read_group_ &&
         sqlite3_get_autocommit(connection_.get()) == 0;
}

STATUS Store::BeginSaveGroup() {
  if (save_group_) {
    return kErrInvalidArgument;
  }
  auto group = std::make_unique<WriteTransaction>(connection_);
  STATUS status = StatusOfSqlite(group->Begin());
  if (status == kNoError) {
    save_group_ = std::move(group);
  }
  return status;
}

STATUS Store::CommitSaveGroup() {
  if (!save_group_) {
    return kErrInvalidArgument;
  }
  STATUS status = StatusOfSqlite(save_group_->Commit());
  save_group_.reset();
  return status;
}

void Store::AbortSaveGroup() { save_group_.reset(); }

STATUS Store::Close() {
  AbortSaveGroup();
  for (Statement* statement : {&find_note_, &find_document_, &has_document_, &find_profile_,
                               &list_documents_after_, &load_items_, &insert_note_, &update_note_,
                               &insert_item_, &append_item_, &update_item_, &delete_items_}) {
    *statement = Statement();
  }
  // SQLite folds the log into the file when the last connection closes, but
  // keeps quiet when the disk fails it then; folded here, the failure is
  // reported. Others folding or reading at the time are no failure.
  STATUS folded = kNoError;
  if (connection_.get() != nullptr) {
    folded = StatusOfSqlite(connection_.Execute("PRAGMA wal_checkpoint(PASSIVE)"));
  }
  if (folded == kErrDatabaseBusy) {
    folded = kNoError;
  }
  STATUS closed = StatusOfSqlite(connection_.Close());
  return folded != kNoError ? folded : closed;
}

STATUS Store::WriteInfo(const DatabaseInfo& info) {
  Statement update;
  STATUS status = StatusOfSqlite(connection_.Prepare(
      "UPDATE database_info SET replica_word0 = ?, replica_word1 = ?, title = ? "
      "WHERE singleton = 1",
      &update));
  if (status != kNoError) {
    return status;
  }
  update.BindInt(1, info.replica_id.Innards[0]);
  update.BindInt(2, info.replica_id.Innards[1]);
  update.BindBlob(3, info.title);
  return StatusOfSqlite(update.Run());
}

STATUS Store::ReadInfo(DatabaseInfo* info) {
  Statement statement;
  STATUS status = StatusOfSqlite(connection_.Prepare(
      "SELECT replica_word0, replica_word1, title FROM database_info WHERE singleton = 1",
      &statement));
  if (status != kNoError) {
    return status;
  }
  int result = statement.Step();
  if (result != SQLITE_ROW) {
    return result == SQLITE_DONE ? STATUS{kErrDatabaseDamaged} : StatusOfSqlite(result);
  }
  info->replica_id.Innards[0] = static_cast<std::uint32_t>(statement.ColumnInt(0));
  info->replica_id.Innards[1] = static_cast<std::uint32_t>(statement.ColumnInt(1));
  info->title = statement.ColumnText(2);
  return kNoError;
}

STATUS Store::CountNotes(std::size_t* count) {
  Statement statement;
  STATUS status = StatusOfSqlite(connection_.Prepare("SELECT count(*) FROM notes", &statement));
  if (status != kNoError) {
    return status;
  }
  int result = statement.Step();
  *count = result == SQLITE_ROW ? static_cast<std::size_t>(statement.ColumnInt(0)) : 0;
  return StatusOfSqlite(result);
}

STATUS Store::FindDocument(const UNIVERSALNOTEID& unid, NoteHeader* header) {
  auto bytes = UnidBytes(unid);
  find_document_.BindBlob(1, bytes.data(), bytes.size());
  return FindOne(&find_document_, header);
}

STATUS Store::HasDocument(const UNIVERSALNOTEID& unid, bool* found) {
  auto bytes = UnidBytes(unid);
  has_document_.BindBlob(1, bytes.data(), bytes.size());
  const int result = has_document_.Step();
  has_document_.Reset();
  *found = result == SQLITE_ROW;
  return result == SQLITE_ROW ? STATUS{kNoError} : StatusOfSqlite(result);
}

STATUS Store::FindProfile(std::string_view name, std::string_view user, NoteHeader* header) {
  find_profile_.BindBlob(1, name);
  find_profile_.BindBlob(2, user);
  return FindOne(&find_profile_, header);
}

STATUS Store::ReadHeaders(Statement* statement, std::vector<NoteHeader>* headers) {
  headers->clear();
  int result = statement->Step();
  for (; result == SQLITE_ROW; result = statement->Step()) {
    headers->push_back(HeaderOfRow(*statement));
    headers->back().read_group = open_read_group_;
  }
  return StatusOfSqlite(result);
}

STATUS Store::ListDocuments(std::vector<UNIVERSALNOTEID>* ids, std::size_t limit) {
  ids->clear();
  Statement statement;
  STATUS status = StatusOfSqlite(connection_.Prepare(
      "SELECT unid FROM notes WHERE note_class = 0 ORDER BY note_id LIMIT ?", &statement));
  if (status != kNoError) {
    return status;
  }
  // SQLite takes a negative limit as none.
  statement.BindInt(1, limit > static_cast<std::size_t>(std::numeric_limits<std::int64_t>::max())
                           ? -1
                           : static_cast<std::int64_t>(limit));
  int result = statement.Step();
  for (; result == SQLITE_ROW; result = statement.Step()) {
    ids->push_back(UnidOfBytes(statement.ColumnBlob(0), statement.ColumnBytes(0)));
  }
  return StatusOfSqlite(result);
}

STATUS Store::CountDocuments(std::size_t* count) {
  Statement statement;
  STATUS status = StatusOfSqlite(
      connection_.Prepare("SELECT count(*) FROM notes WHERE note_class = 0", &statement));
  if (status != kNoError) {
    return status;
  }
  int result = statement.Step();
  *count = result == SQLITE_ROW ? static_cast<std::size_t>(statement.ColumnInt(0)) : 0;
  return StatusOfSqlite(result);
}

STATUS Store::ListDocumentsAfter(std::int64_t after_note_id, std::size_t limit,
                                 std::vector<NoteHeader>* headers) {
  list_documents_after_.BindInt(1, after_note_id);
  list_documents_after_.BindInt(2, static_cast<std::int64_t>(limit));
  const STATUS status = ReadHeaders(&list_documents_after_, headers);
  list_documents_after_.Reset();
  return status;
}

STATUS Store::ReadInOneState(const std::function<STATUS()>& read) {
  // Inside a read or save group the reads already see one state of the file.
  const bool own_transaction = sqlite3_get_autocommit(connection_.get()) != 0;
  STATUS status =
      own_transaction ? StatusOfSqlite(connection_.Run(TransactionStep::kBegin)) : STATUS{kNoError};
  if (status != kNoError) {
    return status;
  }
  status = read();
  STATUS ended = own_transaction ? StatusOfSqlite(connection_.Run(TransactionStep::kCommit))
                                 : STATUS{kNoError};
  return status != kNoError ? status : ended;
}

STATUS Store::ReadDocumentsAfter(std::int64_t after_note_id, std::size_t limit,
                                 const DocumentSink& sink) {
  // The page and its items are read in two queries.
  return ReadInOneState([&] {
    std::vector<NoteHeader> headers;
    STATUS status =
        limit == 0 ? STATUS{kNoError} : ListDocumentsAfter(after_note_id, limit, &headers);
    if (status == kNoError && !headers.empty()) {
      status = ReadItemsOfPage(headers, sink);
    }
    return status;
  });
}

STATUS Store::ReadItemsOfPage(const std::vector<NoteHeader>& headers, const DocumentSink& sink) {
  // One range of the items' index, in order, rather than one lookup per
  // note; the items of notes between them that are not listed (profiles)
  // are passed over.
  Statement statement;
  STATUS status = StatusOfSqlite(
      connection_.Prepare("SELECT note_id, name, type, flags, value FROM items "
                          "WHERE note_id BETWEEN ?1 AND ?2 ORDER BY note_id, position",
                          &statement));
  if (status != kNoError) {
    return status;
  }
  statement.BindInt(1, headers.front().note_id);
  statement.BindInt(2, headers.back().note_id);
  // The images are kept from note to note, so that their buffers are reused.
  std::vector<ItemImage> items;
  int result = SQLITE_ROW;
  std::int64_t row_note_id = 0;  // of the current row
  auto step = [&] {
    result = statement.Step();
    row_note_id = result == SQLITE_ROW ? statement.ColumnInt(0) : 0;
  };
  step();
  for (const NoteHeader& header : headers) {
    while (result == SQLITE_ROW && row_note_id < header.note_id) {
      step();
    }
    std::size_t count = 0;
    for (; result == SQLITE_ROW && row_note_id == header.note_id; step()) {
      if (count == items.size()) {
        items.emplace_back();
      }
      ItemImage& item = items[count++];
      item.name.assign(reinterpret_cast<const char*>(statement.ColumnBlob(1)),
                       statement.ColumnBytes(1));
      item.type = static_cast<std::uint16_t>(statement.ColumnInt(2));
      item.flags = static_cast<std::uint16_t>(statement.ColumnInt(3));
      const std::uint8_t* value = statement.ColumnBlob(4);
      item.value.assign(value, value + statement.ColumnBytes(4));
    }
    if (result != SQLITE_ROW && result != SQLITE_DONE) {
      return StatusOfSqlite(result);
    }
    items.resize(count);
    status = sink(header, items);
    if (status != kNoError) {
      return status;
    }
  }
  return kNoError;
}

STATUS Store::ListNotes(std::vector<NoteHeader>* headers) {
  Statement statement;
  STATUS status = StatusOfSqlite(connection_.Prepare(
      std::string("SELECT ") + kNoteColumns + " FROM notes ORDER BY note_id", &statement));
  return status != kNoError ? status : ReadHeaders(&statement, headers);
}

STATUS Store::ListNotesAfter(std::int64_t after_note_id, std::size_t limit,
                             std::vector<NoteHeader>* headers) {
  Statement statement;
  STATUS status = StatusOfSqlite(
      connection_.Prepare(std::string("SELECT ") + kNoteColumns +
                              " FROM notes WHERE note_id > ? ORDER BY note_id LIMIT ?",
                          &statement));
  if (status != kNoError) {
    return status;
  }
  statement.BindInt(1, after_note_id);
  statement.BindInt(2, static_cast<std::int64_t>(limit));
  return ReadHeaders(&statement, headers);
}

STATUS Store::LoadItems(std::int64_t note_id, const ItemSink& sink) {
  load_items_.BindInt(1, note_id);
  int result = load_items_.Step();
  STATUS status = kNoError;
  for (; result == SQLITE_ROW && status == kNoError; result = load_items_.Step()) {
    StoredItem item;
    item.item_id = load_items_.ColumnInt(0);
    item.name = std::string_view(reinterpret_cast<const char*>(load_items_.ColumnBlob(1)),
                                 load_items_.ColumnBytes(1));
    item.type = static_cast<std::uint16_t>(load_items_.ColumnInt(2));
    item.flags = static_cast<std::uint16_t>(load_items_.ColumnInt(3));
    item.value = load_items_.ColumnBlob(4);
    item.length = load_items_.ColumnBytes(4);
    status = sink(item);
  }
  load_items_.Reset();
  return status != kNoError ? status : StatusOfSqlite(result);
}

STATUS Store::ReadNote(std::int64_t note_id, NoteHeader* header, const ItemSink& sink) {
  return ReadInOneState([&] {
    STATUS status = kNoError;
    if (header->note_id != note_id || !ListedInOpenReadGroup(*header)) {
      find_note_.BindInt(1, note_id);
      status = FindOne(&find_note_, header);
    }
    return status == kNoError ? LoadItems(note_id, sink) : status;
  });
}

STATUS Store::InsertNote(NoteHeader* header) {
  auto unid = UnidBytes(header->unid);
  if (header->note_id == 0) {
    insert_note_.BindNull(1);
  } else {
    insert_note_.BindInt(1, header->note_id);
  }
  insert_note_.BindBlob(2, unid.data(), unid.size());
  insert_note_.BindInt(3, header->note_class == NoteClass::kProfile ? 1 : 0);
  if (header->note_class == NoteClass::kProfile) {
    insert_note_.BindBlob(4, header->profile_name);
    insert_note_.BindBlob(5, header->profile_user);
  }
  insert_note_.BindInt(6, header->sequence);
  insert_note_.BindInt(7, header->created.seconds);
  insert_note_.BindInt(8, header->modified.seconds);
  int result = insert_note_.Step();
  insert_note_.Reset();
  if ((result & 0xFF) == SQLITE_CONSTRAINT) {
    // Someone stored a note with the same identity first.
    return kErrSaveConflict;
  }
  if (result != SQLITE_DONE) {
    return StatusOfSqlite(result);
  }
  header->note_id = connection_.LastInsertRowId();
  return kNoError;
}

STATUS Store::InsertItem(std::int64_t note_id, std::int64_t position, ItemWrite* item) {
  insert_item_.BindInt(1, note_id);
  insert_item_.BindInt(2, position);
  insert_item_.BindBlob(3, item->name);
  insert_item_.BindInt(4, item->type);
  insert_item_.BindInt(5, item->flags);
  insert_item_.BindBlob(6, item->value, item->length);
  STATUS status = StatusOfSqlite(insert_item_.Run());
  if (status == kNoError) {
    item->item_id = connection_.LastInsertRowId();
  }
  return status;
}

STATUS Store::AppendItem(std::int64_t note_id, ItemWrite* item) {
  append_item_.BindInt(1, note_id);
  append_item_.BindBlob(2, item->name);
  append_item_.BindInt(3, item->type);
  append_item_.BindInt(4, item->flags);
  append_item_.BindBlob(5, item->value, item->length);
  STATUS status = StatusOfSqlite(append_item_.Run());
  if (status == kNoError) {
    item->item_id = connection_.LastInsertRowId();
  }
  return status;
}

STATUS Store::SaveNote(NoteHeader* header, formula::DateTime now, bool rewrite_items,
                       std::vector<ItemWrite>* items) {
  WriteTransaction transaction(connection_);
  NoteHeader saved = *header;
  saved.read_group = 0;
  // The file changes under the read group's headers.
  open_read_group_ = 0;
  STATUS status = StatusOfSqlite(transaction.Begin());
  if (status == kNoError) {
    status = UpdateNoteRow(&saved, now);
  }
  if (status == kNoError) {
    status = WriteItems(saved, rewrite_items || header->note_id == 0, items);
  }
  if (status == kNoError) {
    status = StatusOfSqlite(transaction.Commit());
  }
  if (status == kNoError) {
    *header = saved;
  }
  return status;
}

STATUS Store::UpdateNoteRow(NoteHeader* header, formula::DateTime now) {
  header->modified = now;
  if (header->note_id == 0) {
    header->sequence = 1;
    return InsertNote(header);
  }
  update_note_.BindInt(1, now.seconds);
  update_note_.BindInt(2, header->note_id);
  update_note_.BindInt(3, header->sequence);
  STATUS status = StatusOfSqlite(update_note_.Run());
  if (status != kNoError) {
    return status;
  }
  if (connection_.Changes() != 1) {
    return kErrSaveConflict;
  }
  ++header->sequence;
  return kNoError;
}

STATUS Store::WriteItems(const NoteHeader& header, bool rewrite_items,
                         std::vector<ItemWrite>* items) {
  if (rewrite_items) {
    delete_items_.BindInt(1, header.note_id);
    STATUS status = StatusOfSqlite(delete_items_.Run());
    for (std::size_t i = 0; i < items->size() && status == kNoError; ++i) {
      status = InsertItem(header.note_id, static_cast<std::int64_t>(i), &(*items)[i]);
    }
    return status;
  }
  for (ItemWrite& item : *items) {
    STATUS status = kNoError;
    if (item.item_id == 0) {
      status = AppendItem(header.note_id, &item);
    } else if (item.change == ItemWrite::Change::kBytes && item.length >= kPartialWriteThreshold) {
      status = WriteChangedBytes(item);
    } else if (item.change != ItemWrite::Change::kNone) {
      update_item_.BindInt(1, item.type);
      update_item_.BindInt(2, item.flags);
      update_item_.BindBlob(3, item.value, item.length);
      update_item_.BindInt(4, item.item_id);
      status = StatusOfSqlite(update_item_.Run());
    }
    if (status != kNoError) {
      return status;
    }
  }
  return kNoError;
}

// Rewrites only the changed stretch of a value, so that a one-byte change
// of a large value costs a page, not the whole value.
STATUS Store::WriteChangedBytes(const ItemWrite& item) {
  sqlite3_blob* blob = nullptr;
  int result =
      sqlite3_blob_open(connection_.get(), "main", "items", "value", item.item_id, 1, &blob);
  if (result == SQLITE_OK) {
    result = sqlite3_blob_write(blob, item.value + item.first_changed,
                                static_cast<int>(item.end_changed - item.first_changed),
                                static_cast<int>(item.first_changed));
  }
  int closed = sqlite3_blob_close(blob);
  return StatusOfSqlite(result != SQLITE_OK ? result : closed);
}

}  // namespace quendral::platform::store
