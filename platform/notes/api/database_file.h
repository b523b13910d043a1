// Whole database files for our tools: create one from an in-memory image,
// read one back as an image, and list the databases below a directory.
#ifndef QUENDRAL_PLATFORM_NOTES_API_DATABASE_FILE_H_
#define QUENDRAL_PLATFORM_NOTES_API_DATABASE_FILE_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/notes/formula/access_list.h"
#include "platform/notes/formula/value.h"
#include "platform/notes/images/note_images.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::base::sqlite {
class WriteTransaction;
}  // namespace quendral::base::sqlite

namespace quendral::platform::store {

class Store;

struct NoteImage {
  UNIVERSALNOTEID unid{};     // all zero: a new random one
  std::uint32_t note_id = 0;  // 0: the next free one
  NoteClass note_class = NoteClass::kDocument;
  std::string profile_name;    // profiles only
  std::string profile_user;    // profiles only; "" for a database-wide one
  std::uint32_t sequence = 1;  // incremented by every save
  formula::DateTime created{};
  formula::DateTime modified{};
  std::vector<ItemImage> items;  // in storage order
};

struct DatabaseImage {
  std::string title;
  TIMEDATE replica_id{};  // all zero: a new random one
  std::vector<NoteImage> notes;
  // Empty: the database has none. Braced, so that an image written without
  // it needs no mention of it.
  std::vector<formula::AccessEntry> access_list{};
};

// Writes a new database file holding exactly `image`: either the whole file
// appears or nothing does. An existing file is replaced only with
// `replace_existing`, else kErrDatabaseExists. Duplicate UNIDs, note IDs or
// profile keys give kErrInvalidArgument.
STATUS CreateDatabaseFile(const std::filesystem::path& file, const DatabaseImage& image,
                          bool replace_existing);

// Reads a whole database: kErrDatabaseNotFound when the file does not exist,
// kErrDatabaseDamaged when it is not one of our databases.
STATUS ReadDatabaseImage(const std::filesystem::path& file, DatabaseImage* image);

// Reads a database note by note from one state of the file, for databases
// too large to hold: its title and replica ID into `info`, then each note
// with its items, in note ID order, handed to `each` and dropped. A status
// other than kNoError from `each` stops the reading and is returned; else
// the statuses of ReadDatabaseImage. `access_list` (when given) receives the
// access control list before the first note.
STATUS ReadDatabaseNotes(const std::filesystem::path& file, DatabaseInfo* info,
                         const std::function<STATUS(const NoteImage&)>& each,
                         std::vector<formula::AccessEntry>* access_list = nullptr);

// A new database file written note by note, for images too large to hold.
// The notes go into a temporary file beside the target, which takes its
// place only on Finish: a writer dropped before leaves nothing behind.
class DatabaseFileWriter {
 public:
  // kErrDatabaseExists when `file` exists and not `replace_existing`.
  static STATUS Begin(const std::filesystem::path& file, bool replace_existing,
                      std::unique_ptr<DatabaseFileWriter>* writer);
  ~DatabaseFileWriter();
  DatabaseFileWriter(const DatabaseFileWriter&) = delete;
  DatabaseFileWriter& operator=(const DatabaseFileWriter&) = delete;

  // kErrInvalidArgument when a note added before has its UNID, note ID or
  // profile key.
  STATUS Add(const NoteImage& note);
  // The title, replica ID (all zero: a new random one) and access list come
  // last, as they may follow the notes in what is being read.
  // kErrInvalidArgument, with nothing written, for an unsound access list
  // (see WriteAccessList).
  STATUS Finish(const std::string& title, TIMEDATE replica_id,
                const std::vector<formula::AccessEntry>& access_list = {});

 private:
  DatabaseFileWriter(std::filesystem::path file, std::filesystem::path temporary,
                     bool replace_existing, std::unique_ptr<Store> store);

  std::filesystem::path file_, temporary_;
  bool replace_existing_;
  std::unique_ptr<Store> store_;
  std::unique_ptr<base::sqlite::WriteTransaction> transaction_;
};

struct DatabaseListing {
  std::filesystem::path path;  // relative to the listed directory
  TIMEDATE replica_id{};
  std::string title;
  std::size_t note_count = 0;
};

// Every database file below `directory` (recursively, symbolic links not
// followed, sorted by path). Files that are not databases are skipped.
STATUS ListDatabases(const std::filesystem::path& directory,
                     std::vector<DatabaseListing>* listings);

// The conventional file name extension of a database.
inline constexpr const char* kDatabaseExtension = ".nsf";

}  // namespace quendral::platform::store

#endif  // QUENDRAL_PLATFORM_NOTES_API_DATABASE_FILE_H_
