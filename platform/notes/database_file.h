// Whole database files for our tools: create one from an in-memory image,
// read one back as an image, and list the databases below a directory.
#ifndef QUENDRAL_PLATFORM_NOTES_DATABASE_FILE_H_
#define QUENDRAL_PLATFORM_NOTES_DATABASE_FILE_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/notes/formula/value.h"
#include "platform/notes/status.h"
#include "platform/notes/store.h"
#include "platform/notes/types.h"

namespace quendral::platform::store {

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

#endif  // QUENDRAL_PLATFORM_NOTES_DATABASE_FILE_H_
