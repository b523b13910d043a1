#include "platform/notes/database_file.h"

#include <atomic>
#include <random>
#include <set>
#include <string>
#include <tuple>

#include "platform/notes/database_scan.h"
#include "platform/notes/new_ids.h"
#include "platform/notes/store.h"
#include "platform/os/file_move.h"
#include "platform/os/file_sync.h"

namespace quendral::platform::store {
namespace {

namespace fs = std::filesystem;

bool HasDuplicates(const DatabaseImage& image) {
  std::set<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t>> unids;
  std::set<std::uint32_t> note_ids;
  std::set<std::pair<std::string, std::string>> profiles;
  for (const NoteImage& note : image.notes) {
    const UNIVERSALNOTEID& id = note.unid;
    bool zero =
        (id.File.Innards[0] | id.File.Innards[1] | id.Note.Innards[0] | id.Note.Innards[1]) == 0;
    if ((!zero && !unids
                       .emplace(id.File.Innards[0], id.File.Innards[1], id.Note.Innards[0],
                                id.Note.Innards[1])
                       .second) ||
        (note.note_id != 0 && !note_ids.insert(note.note_id).second) ||
        (note.note_class == NoteClass::kProfile &&
         !profiles.emplace(note.profile_name, note.profile_user).second)) {
      return true;
    }
  }
  return false;
}

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

STATUS InsertNotes(Store& store, const DatabaseImage& image) {
  WriteTransaction transaction(store.connection());
  STATUS status = StatusOfSqlite(transaction.Begin());
  for (const NoteImage& note : image.notes) {
    NoteHeader header = HeaderOf(note);
    if (status == kNoError) {
      status = store.InsertNote(&header);
    }
    for (std::size_t i = 0; i < note.items.size() && status == kNoError; ++i) {
      const ItemImage& item = note.items[i];
      ItemWrite write;
      write.name = item.name;
      write.type = item.type;
      write.flags = item.flags;
      write.value = item.value.data();
      write.length = item.value.size();
      status = store.InsertItem(header.note_id, static_cast<std::int64_t>(i), &write);
    }
  }
  return status == kNoError ? StatusOfSqlite(transaction.Commit()) : status;
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

STATUS WriteImage(const fs::path& file, const DatabaseImage& image) {
  // A zero replica ID is what a caller's unparsable replica text leaves
  // behind, so no database may carry it.
  TIMEDATE replica_id = image.replica_id;
  if ((replica_id.Innards[0] | replica_id.Innards[1]) == 0) {
    replica_id = NewReplicaId();
  }
  std::unique_ptr<Store> store;
  STATUS status = Store::Create(file, DatabaseInfo{replica_id, image.title}, &store);
  if (status == kNoError) {
    status = InsertNotes(*store, image);
  }
  // The file is moved into place without its log, so the log must be empty.
  if (status == kNoError) {
    status = store->Checkpoint();
  }
  if (store) {
    STATUS closed = store->Close();
    status = status != kNoError ? status : closed;
  }
  return status;
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
  if (HasDuplicates(image)) {
    return kErrInvalidArgument;
  }
  std::error_code error;
  if (!replace_existing && fs::exists(file, error)) {
    return kErrDatabaseExists;
  }
  fs::path temporary = TemporaryFileFor(file);
  STATUS status = WriteImage(temporary, image);
  if (status == kNoError) {
    status = PutDurablyInPlace(temporary, file, replace_existing);
  }
  RemoveDatabaseFiles(temporary);
  return status;
}

STATUS ReadDatabaseImage(const fs::path& file, DatabaseImage* image) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    return kErrDatabaseNotFound;
  }
  std::unique_ptr<Store> store;
  STATUS status = LooksLikeDatabase(file) ? Store::Open(file, &store) : STATUS{kErrDatabaseDamaged};
  DatabaseInfo info;
  std::vector<NoteHeader> headers;
  if (status == kNoError) {
    status = StatusOfSqlite(store->connection().Execute("BEGIN"));
  }
  if (status == kNoError) {
    status = store->ReadInfo(&info);
  }
  if (status == kNoError) {
    status = store->ListNotes(&headers);
  }
  *image = DatabaseImage{info.title, info.replica_id, {}};
  for (std::size_t i = 0; i < headers.size() && status == kNoError; ++i) {
    const NoteHeader& header = headers[i];
    image->notes.push_back(NoteImage{header.unid,
                                     static_cast<std::uint32_t>(header.note_id),
                                     header.note_class,
                                     header.profile_name,
                                     header.profile_user,
                                     header.sequence,
                                     header.created,
                                     header.modified,
                                     {}});
    status = store->LoadItems(header.note_id, [&](const StoredItem& item) {
      image->notes.back().items.push_back(ItemImage{
          std::string(item.name), item.type, item.flags, {item.value, item.value + item.length}});
      return kNoError;
    });
  }
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
