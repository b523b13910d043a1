#include "platform/notes/api/database_file.h"

#include <atomic>
#include <random>
#include <set>
#include <string>
#include <tuple>

#include "platform/notes/store/access_list_table.h"
#include "platform/notes/store/database_scan.h"
#include "platform/notes/store/new_ids.h"
#include "platform/notes/store/store.h"
#include "platform/os/file_move.h"
#include "platform/os/file_sync.h"

namespace quendral::platform::store {
namespace {

namespace fs = std::filesystem;

// The notes listed at a time when a database is read note by note.
constexpr std::size_t kNotesPerPage = 1000;

NoteHeader HeaderOf(const NoteImage& note) {
  NoteHeader header;
  header.note_id = note.note_id;
  header.unid = note.unid;
  if ((header.unid.File.Innards[0] | header.unid.File.Innards[1] | header.unid.Note.Innards[0] |
       header.unid.Note.Innards[1]) == 0) {
    header.unid = NewUniversalId();
  }
  header.note_class = note.note_class;
  header.profile_name = note.profile_name;
  header.profile_user = note.profile_user;
  header.sequence = note.sequence;
  header.created = note.created;
  header.modified = note.modified;
  return header;
}

void RemoveDatabaseFiles(const fs::path& file) {
  std::error_code ignored;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    fs::path companion = file;
    fs::remove(companion += suffix, ignored);
  }
}

// Tells this process's temporary files from those of others.
unsigned ProcessTag() {
  static const unsigned tag = std::random_device()();
  return tag;
}

// A name beside the target that no other writer picks.
fs::path TemporaryFileFor(const fs::path& file) {
  static std::atomic<unsigned> counter{0};
  fs::path name = ".";
  name += file.filename();
  name += ".creating-" + std::to_string(ProcessTag()) + "-" + std::to_string(++counter);
  return file.parent_path() / name;
}

// Lets the file that is about to be replaced fold its write-ahead log into
// itself, so that no log of the old file is left to be applied to the new.
void SettleExistingFile(const fs::path& file) {
  Connection connection;
  if (LooksLikeDatabase(file) && OpenConnection(file, false, &connection) == kNoError) {
    connection.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
  }
}

STATUS MoveIntoPlace(const fs::path& temporary, const fs::path& file, bool replace_existing) {
  if (!replace_existing) {
    // A file created meanwhile by someone else is never overwritten.
    switch (os::MoveFileWithoutReplacing(temporary.string(), file.string())) {
      case os::MoveResult::kMoved:
        return kNoError;
      case os::MoveResult::kTargetExists:
        return kErrDatabaseExists;
      case os::MoveResult::kFailed:
        return kErrStorageFailure;
    }
    return kErrStorageFailure;
  }
  SettleExistingFile(file);
  std::string error;
  return os::MoveFileReplacing(temporary.string(), file.string(), &error) ? kNoError
                                                                          : kErrStorageFailure;
}

// The new file is on the disk before it takes its name, and the name after,
// so that a power cut leaves the old state or the whole new file.
STATUS PutDurablyInPlace(const fs::path& temporary, const fs::path& file, bool replace_existing) {
  if (!os::SyncFile(temporary.string())) {
    return kErrStorageFailure;
  }
  STATUS status = MoveIntoPlace(temporary, file, replace_existing);
  if (status == kNoError && !os::SyncFolderOf(file.string())) {
    status = kErrStorageFailure;
  }
  return status;
}

}  // namespace

STATUS CreateDatabaseFile(const fs::path& file, const DatabaseImage& image, bool replace_existing) {
  std::unique_ptr<DatabaseFileWriter> writer;
  STATUS status = DatabaseFileWriter::Begin(file, replace_existing, &writer);
  for (std::size_t i = 0; i < image.notes.size() && status == kNoError; ++i) {
    status = writer->Add(image.notes[i]);
  }
  return status == kNoError ? writer->Finish(image.title, image.replica_id, image.access_list)
                            : status;
}

DatabaseFileWriter::DatabaseFileWriter(fs::path file, fs::path temporary, bool replace_existing,
                                       std::unique_ptr<Store> store)
    : file_(std::move(file)),
      temporary_(std::move(temporary)),
      replace_existing_(replace_existing),
      store_(std::move(store)),
      transaction_(std::make_unique<WriteTransaction>(store_->connection())) {}

DatabaseFileWriter::~DatabaseFileWriter() {
  transaction_.reset();
  if (store_) {
    store_->Close();
  }
  RemoveDatabaseFiles(temporary_);
}

STATUS DatabaseFileWriter::Begin(const fs::path& file, bool replace_existing,
                                 std::unique_ptr<DatabaseFileWriter>* writer) {
  std::error_code error;
  if (!replace_existing && fs::exists(file, error)) {
    return kErrDatabaseExists;
  }
  fs::path temporary = TemporaryFileFor(file);
  // The replica ID is known only at the end; until then the file has one of
  // its own.
  std::unique_ptr<Store> store;
  STATUS status = Store::Create(temporary, DatabaseInfo{NewReplicaId(), ""}, &store);
  if (status != kNoError) {
    RemoveDatabaseFiles(temporary);
    return status;
  }
  writer->reset(
      new DatabaseFileWriter(file, std::move(temporary), replace_existing, std::move(store)));
  return StatusOfSqlite((*writer)->transaction_->Begin());
}

STATUS DatabaseFileWriter::Add(const NoteImage& note) {
  NoteHeader header = HeaderOf(note);
  STATUS status = store_->InsertNote(&header);
  if (status == kErrSaveConflict) {
    return kErrInvalidArgument;  // an identity given twice
  }
  for (std::size_t i = 0; i < note.items.size() && status == kNoError; ++i) {
    const ItemImage& item = note.items[i];
    ItemWrite write;
    write.name = item.name;
    write.type = item.type;
    write.flags = item.flags;
    write.value = item.value.data();
    write.length = item.value.size();
    status = store_->InsertItem(header.note_id, static_cast<std::int64_t>(i), &write);
  }
  return status;
}

STATUS DatabaseFileWriter::Finish(const std::string& title, TIMEDATE replica_id,
                                  const std::vector<formula::AccessEntry>& access_list) {
  // A zero replica ID is what a caller's unparsable replica text leaves
  // behind, so no database may carry it.
  if ((replica_id.Innards[0] | replica_id.Innards[1]) == 0) {
    replica_id = NewReplicaId();
  }
  STATUS status = store_->WriteInfo(DatabaseInfo{replica_id, title});
  if (status == kNoError && !access_list.empty()) {
    status = WriteAccessList(store_->connection(), access_list);
  }
  if (status == kNoError) {
    status = StatusOfSqlite(transaction_->Commit());
  }
  transaction_.reset();
  // The file is moved into place without its log, so the log must be empty.
  if (status == kNoError) {
    status = store_->Checkpoint();
  }
  const STATUS closed = store_->Close();
  store_.reset();
  status = status != kNoError ? status : closed;
  return status == kNoError ? PutDurablyInPlace(temporary_, file_, replace_existing_) : status;
}

STATUS ReadDatabaseImage(const fs::path& file, DatabaseImage* image) {
  DatabaseInfo info;
  image->notes.clear();
  const STATUS status = ReadDatabaseNotes(
      file, &info,
      [&](const NoteImage& note) {
        image->notes.push_back(note);
        return kNoError;
      },
      &image->access_list);
  image->title = info.title;
  image->replica_id = info.replica_id;
  return status;
}

STATUS ReadDatabaseNotes(const fs::path& file, DatabaseInfo* info,
                         const std::function<STATUS(const NoteImage&)>& each,
                         std::vector<formula::AccessEntry>* access_list) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    return kErrDatabaseNotFound;
  }
  std::unique_ptr<Store> store;
  STATUS status = LooksLikeDatabase(file) ? Store::Open(file, &store) : STATUS{kErrDatabaseDamaged};
  if (status == kNoError) {
    status = StatusOfSqlite(store->connection().Execute("BEGIN"));
  }
  if (status == kNoError) {
    status = store->ReadInfo(info);
  }
  if (status == kNoError && access_list != nullptr) {
    status = ReadAccessList(store->connection(), access_list);
  }
  std::vector<NoteHeader> headers;
  std::int64_t after_note_id = 0;
  do {
    if (status == kNoError) {
      status = store->ListNotesAfter(after_note_id, kNotesPerPage, &headers);
    }
    for (std::size_t i = 0; i < headers.size() && status == kNoError; ++i) {
      const NoteHeader& header = headers[i];
      after_note_id = header.note_id;
      NoteImage note{header.unid,
                     static_cast<std::uint32_t>(header.note_id),
                     header.note_class,
                     header.profile_name,
                     header.profile_user,
                     header.sequence,
                     header.created,
                     header.modified,
                     {}};
      status = store->LoadItems(header.note_id, [&](const StoredItem& item) {
        note.items.push_back(ItemImage{
            std::string(item.name), item.type, item.flags, {item.value, item.value + item.length}});
        return kNoError;
      });
      if (status == kNoError) {
        status = each(note);
      }
    }
  } while (status == kNoError && headers.size() == kNotesPerPage);
  if (store) {
    store->connection().Execute("COMMIT");
  }
  return status;
}

STATUS ListDatabases(const fs::path& directory, std::vector<DatabaseListing>* listings) {
  listings->clear();
  return ScanDatabases(directory, [&](const fs::path& file, Store& store) {
    DatabaseInfo info;
    std::size_t count = 0;
    if (store.ReadInfo(&info) == kNoError && store.CountNotes(&count) == kNoError) {
      listings->push_back(
          DatabaseListing{file.lexically_relative(directory), info.replica_id, info.title, count});
    }
  });
}

}  // namespace quendral::platform::store
