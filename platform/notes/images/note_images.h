// Notes and items as a database holds them: the records the store reads and
// writes, and which the object API hands to readers of whole databases
// (platform/notes/api/document_images.h, database_file.h) without giving
// them the store.
#ifndef QUENDRAL_PLATFORM_NOTES_IMAGES_NOTE_IMAGES_H_
#define QUENDRAL_PLATFORM_NOTES_IMAGES_NOTE_IMAGES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/notes/formula/value.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform::store {

enum class NoteClass : std::uint8_t { kDocument = 0, kProfile = 1 };

struct DatabaseInfo {
  TIMEDATE replica_id{};
  std::string title;
};

// A note without its items.
struct NoteHeader {
  std::int64_t note_id = 0;  // 0 until stored
  UNIVERSALNOTEID unid{};
  NoteClass note_class = NoteClass::kDocument;
  std::string profile_name;
  std::string profile_user;
  std::uint32_t sequence = 0;
  formula::DateTime created{};
  formula::DateTime modified{};
  // The read group the header was listed in (see Store::BeginReadGroup); 0
  // when it was read or saved outside one.
  std::uint64_t read_group = 0;
};

// An item as stored: its name, type, flags and value bytes.
struct ItemImage {
  std::string name;
  std::uint16_t type = 0;
  std::uint16_t flags = 0;
  std::vector<std::uint8_t> value;  // the bytes after the data-type word
};

}  // namespace quendral::platform::store

#endif  // QUENDRAL_PLATFORM_NOTES_IMAGES_NOTE_IMAGES_H_
