// Visiting a note's items in storage order through the core calls, and
// addressing an item's value in memory.
#ifndef QUENDRAL_NOTES_ITEM_WALK_H_
#define QUENDRAL_NOTES_ITEM_WALK_H_

#include <cstdint>
#include <string_view>

#include "platform/notes/core/core_api.h"
#include "platform/notes/core/memory.h"

namespace quendral {

// One item as the item query reports it. At most 260 bytes of the name are
// taken.
struct ItemView {
  platform::BLOCKID item{};
  char name_buffer[261] = {};
  std::uint16_t name_length = 0;
  std::uint16_t type = 0;
  platform::BLOCKID value{};
  std::uint32_t value_length = 0;  // counts the 2-byte data-type word

  std::string_view name() const { return {name_buffer, name_length}; }
};

// Asks the item query for everything about `item`; false when it fails.
bool QueryItemView(platform::NOTEHANDLE note, platform::BLOCKID item, ItemView* view);

// Calls visit(const ItemView&) for every item of the note in storage order.
// An item the query cannot describe is passed over; the walk goes on with
// the next one.
template <class Visitor>
void ForEachItem(platform::NOTEHANDLE note, Visitor&& visit) {
  platform::BLOCKID item{};
  platform::STATUS status = platform::FindItem(note, nullptr, 0, &item, nullptr, nullptr, nullptr);
  while (status == platform::kNoError) {
    ItemView view;
    if (QueryItemView(note, item, &view)) {
      visit(view);
    }
    status = platform::FindNextItem(note, item, nullptr, 0, &item, nullptr, nullptr, nullptr);
  }
}

// An item value locked in memory for the lifetime of this object: the bytes
// behind the data-type word, writable in place.
class LockedValue {
 public:
  LockedValue(platform::BLOCKID value, std::uint32_t value_length);
  ~LockedValue();
  LockedValue(const LockedValue&) = delete;
  LockedValue& operator=(const LockedValue&) = delete;

  // The whole block, data-type word first; nullptr when it could not be locked.
  char* block() const { return block_; }
  // The bytes behind the data-type word, and their number.
  char* data() const { return block_ == nullptr ? nullptr : block_ + 2; }
  std::uint32_t size() const { return size_; }

 private:
  platform::DHANDLE pool_;
  char* block_ = nullptr;
  std::uint32_t size_ = 0;
};

}  // namespace quendral

#endif  // QUENDRAL_NOTES_ITEM_WALK_H_
