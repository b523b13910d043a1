#include "notes/item_walk.h"

namespace quendral {

bool QueryItemView(notes::NOTEHANDLE note, notes::BLOCKID item, ItemView* view) {
  view->item = item;
  return notes::QueryItem(note, item, view->name_buffer, sizeof view->name_buffer,
                          &view->name_length, nullptr, &view->type, &view->value,
                          &view->value_length) == notes::kNoError;
}

LockedValue::LockedValue(notes::BLOCKID value, std::uint32_t value_length) : pool_(value.pool) {
  // A value too short to hold its data-type word has no bytes to work on.
  if (value_length < 2) return;
  auto* pool = static_cast<char*>(notes::LockMemory(pool_));
  if (pool == nullptr) return;
  block_ = pool + value.block;
  size_ = value_length - 2;
}

LockedValue::~LockedValue() {
  if (block_ != nullptr) notes::UnlockMemory(pool_);
}

}  // namespace quendral
