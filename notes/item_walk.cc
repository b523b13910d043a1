#include "notes/item_walk.h"

namespace quendral {

bool QueryItemView(platform::NOTEHANDLE note, platform::BLOCKID item, ItemView* view) {
  view->item = item;
  return platform::QueryItem(note, item, view->name_buffer, sizeof view->name_buffer,
                             &view->name_length, nullptr, &view->type, &view->value,
                             &view->value_length) == platform::kNoError;
}

LockedValue::LockedValue(platform::BLOCKID value, std::uint32_t value_length) : pool_(value.pool) {
  // A value too short to hold its data-type word has no bytes to work on.
  if (value_length < 2) {
    return;
  }
  auto* pool = static_cast<char*>(platform::LockMemory(pool_));
  if (pool == nullptr) {
    return;
  }
  block_ = pool + value.block;
  size_ = value_length - 2;
}

LockedValue::~LockedValue() {
  if (block_ != nullptr) {
    platform::UnlockMemory(pool_);
  }
}

}  // namespace quendral
