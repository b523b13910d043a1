// The state behind the object API's classes. The LN classes are handles:
// copies share one of these.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_INTERNAL_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_INTERNAL_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notes/core/open_note.h"
#include "platform/notes/formula/value.h"
#include "platform/notes/store/store.h"

namespace quendral::platform::internal {

struct SessionState {
  mutable std::mutex mutex;
  std::filesystem::path data_directory;
  std::string user_name;
  std::vector<std::string> user_roles;

  std::string UserName() const;
  std::vector<std::string> UserRoles() const;
};

// The session whose user formulas evaluated without a note see: the one
// initialized last.
std::shared_ptr<SessionState> CurrentSession();

struct DatabaseBinding {
  std::shared_ptr<SessionState> session;
  std::filesystem::path file;
  std::shared_ptr<store::Store> store;  // null while closed
};

struct NoteBinding {
  std::shared_ptr<DatabaseBinding> database;
  store::NoteHeader header;        // note_id 0 until first saved
  std::shared_ptr<OpenNote> open;  // null while closed
};

// An item attached to a slot of an open note, or one holding its own value.
struct ItemBinding {
  std::weak_ptr<OpenNote> note;  // expired or empty for a stand-alone item
  std::size_t slot = 0;
  bool attached = false;
  std::string name;
  std::uint16_t type = 0;
  std::uint16_t flags = 0;
  std::vector<std::uint8_t> value;

  // The attached note, when it is still open and still has the item.
  std::shared_ptr<OpenNote> Note() const;
};

// The current value of an item; `valid` is false for a null item and for
// an attached one whose note was closed or which was removed.
struct ValueView {
  bool valid = false;
  std::uint16_t type = 0;
  std::uint16_t flags = 0;
  std::string_view name;
  const std::uint8_t* data = nullptr;  // the bytes after the data-type word
  std::size_t length = 0;
};
ValueView View(const ItemBinding& item);

// Gives the item a new value (and type): in its note when attached.
STATUS WriteValue(ItemBinding* item, std::uint16_t type, const std::uint8_t* data,
                  std::size_t length);

// The item's value as a list of `kind`; kErrItemTypeMismatch for an item
// of another type.
STATUS ReadList(const ItemBinding& item, formula::ValueKind kind, formula::Value* list);
STATUS WriteList(ItemBinding* item, const formula::Value& list);

}  // namespace quendral::platform::internal

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_INTERNAL_H_
