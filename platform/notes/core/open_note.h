// A note open in memory: its items, each value in a memory block of its
// own, and the table that turns note handles into open notes.
//
// Items keep their slot for as long as the note is open: a removed item
// leaves an empty slot behind, so the item addresses handed out by the core
// calls stay valid when items are added or removed. Each value block holds
// the data-type word followed by the value bytes and never moves; callers
// may change the bytes in place. To find out what a save has to write, the
// note keeps a copy of every value as it is in the file.
#ifndef QUENDRAL_PLATFORM_NOTES_CORE_OPEN_NOTE_H_
#define QUENDRAL_PLATFORM_NOTES_CORE_OPEN_NOTE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notes/store/store.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform::internal {

struct OpenItem {
  std::string name;
  std::uint16_t flags = 0;
  DHANDLE pool = 0;           // the data-type word, then the value
  std::size_t pool_size = 0;  // the value's length + 2
  // The pool's bytes: a block never moves, so they are looked up once.
  std::uint8_t* bytes = nullptr;
  bool removed = false;
  std::int64_t item_id = 0;  // its row in the file, 0 until stored
  std::uint16_t stored_flags = 0;
  std::vector<std::uint8_t> stored;  // the block's bytes as in the file
};

class OpenNote {
 public:
  // An empty note, registered under a new note handle.
  static STATUS Create(std::shared_ptr<OpenNote>* note);
  ~OpenNote();
  OpenNote(const OpenNote&) = delete;
  OpenNote& operator=(const OpenNote&) = delete;

  NOTEHANDLE handle() const { return handle_; }

  // Adds an item read from the file (it needs no save).
  STATUS AddStoredItem(const store::StoredItem& item);

  std::size_t slot_count() const { return items_.size(); }
  // The item in `slot`, nullptr for an empty or unknown slot.
  const OpenItem* Item(std::size_t slot) const;
  // The first item at or after `from` whose name is `name` (any item when
  // `name` is nullopt).
  std::optional<std::size_t> Find(std::optional<std::string_view> name, std::size_t from) const;

  std::uint16_t Type(std::size_t slot) const;
  const std::uint8_t* Value(std::size_t slot) const;  // the bytes after the type word
  std::size_t ValueLength(std::size_t slot) const;

  STATUS Add(std::string_view name, std::uint16_t type, std::uint16_t flags,
             const std::uint8_t* data, std::size_t length, std::size_t* slot);
  // Gives the item a new value block; the old one is freed.
  STATUS Replace(std::size_t slot, std::uint16_t type, std::uint16_t flags,
                 const std::uint8_t* data, std::size_t length);
  void Remove(std::size_t slot);

  // Whether a save would write anything.
  bool HasChanges() const;
  // What a save has to write: one entry per item in storage order, and
  // whether the rows have to be written anew because items were removed.
  // Items added since are new rows behind the stored ones.
  void CollectWrites(std::vector<store::ItemWrite>* writes, bool* rewrite_items) const;
  // Takes the saved state as the file's.
  void MarkStored(const std::vector<store::ItemWrite>& writes);

 private:
  explicit OpenNote(NOTEHANDLE handle) : handle_(handle) {}
  static STATUS NewBlock(std::uint16_t type, const std::uint8_t* data, std::size_t length,
                         OpenItem* item);
  store::ItemWrite WriteOf(const OpenItem& item) const;

  NOTEHANDLE handle_;
  std::vector<OpenItem> items_;
  bool layout_changed_ = false;
};

// The open note with this handle, or nullptr.
std::shared_ptr<OpenNote> FindOpenNote(NOTEHANDLE handle);

}  // namespace quendral::platform::internal

#endif  // QUENDRAL_PLATFORM_NOTES_CORE_OPEN_NOTE_H_
