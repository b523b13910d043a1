#include "platform/notes/core/open_note.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/base/coding.h"
#include "platform/notes/core/memory.h"

namespace quendral::platform::internal {
namespace {

// Split by handle, so that notes opened and closed on several threads at
// once seldom wait on one another (the memory handles of a thread share
// their low bits).
class NoteTable {
 public:
  void Add(NOTEHANDLE handle, const std::shared_ptr<OpenNote>& note) {
    Shard& shard = ShardOf(handle);
    std::lock_guard<std::mutex> lock(shard.mutex);
    shard.notes[handle] = note;
  }
  void Remove(NOTEHANDLE handle) {
    Shard& shard = ShardOf(handle);
    std::lock_guard<std::mutex> lock(shard.mutex);
    shard.notes.erase(handle);
  }
  std::shared_ptr<OpenNote> Find(NOTEHANDLE handle) {
    Shard& shard = ShardOf(handle);
    std::lock_guard<std::mutex> lock(shard.mutex);
    auto found = shard.notes.find(handle);
    return found == shard.notes.end() ? nullptr : found->second.lock();
  }

 private:
  struct Shard {
    std::mutex mutex;
    std::unordered_map<NOTEHANDLE, std::weak_ptr<OpenNote>> notes;
  };
  static constexpr std::size_t kShards = 8;

  Shard& ShardOf(NOTEHANDLE handle) { return shards_[handle % kShards]; }

  std::array<Shard, kShards> shards_;
};

NoteTable& Table() {
  static auto* table = new NoteTable;
  return *table;
}

// The stretch [*first, *end) where the two blocks of `length` bytes differ;
// false when they are equal. Compares in chunks, since a large value mostly
// is unchanged.
bool FindChangedRange(const std::uint8_t* now, const std::uint8_t* before, std::size_t length,
                      std::size_t* first, std::size_t* end) {
  constexpr std::size_t kChunk = 4096;
  std::size_t begin = 0;
  while (begin < length) {
    std::size_t size = std::min(kChunk, length - begin);
    if (std::memcmp(now + begin, before + begin, size) != 0) {
      break;
    }
    begin += size;
  }
  while (begin < length && now[begin] == before[begin]) {
    ++begin;
  }
  if (begin == length) {
    return false;
  }
  std::size_t stop = length;
  while (stop - begin > kChunk &&
         std::memcmp(now + stop - kChunk, before + stop - kChunk, kChunk) == 0) {
    stop -= kChunk;
  }
  while (now[stop - 1] == before[stop - 1]) {
    --stop;
  }
  *first = begin;
  *end = stop;
  return true;
}

}  // namespace

STATUS OpenNote::Create(std::shared_ptr<OpenNote>* note) {
  // A one-byte block gives the note a handle of the same kind as the value
  // blocks, unique among them.
  DHANDLE handle = AllocateMemory(1);
  if (handle == 0) {
    return kErrOutOfMemory;
  }
  note->reset(new OpenNote(handle));
  Table().Add(handle, *note);
  return kNoError;
}

OpenNote::~OpenNote() {
  Table().Remove(handle_);
  for (const OpenItem& item : items_) {
    FreeMemory(item.pool);
  }
  FreeMemory(handle_);
}

STATUS OpenNote::NewBlock(std::uint16_t type, const std::uint8_t* data, std::size_t length,
                          OpenItem* item) {
  DHANDLE pool = AllocateMemory(length + 2);
  if (pool == 0) {
    return kErrOutOfMemory;
  }
  auto* block = static_cast<std::uint8_t*>(LockMemory(pool));
  UnlockMemory(pool);
  base::StoreLittle16(block, type);
  if (length != 0) {
    std::memcpy(block + 2, data, length);
  }
  item->pool = pool;
  item->pool_size = length + 2;
  item->bytes = block;
  return kNoError;
}

STATUS OpenNote::AddStoredItem(const store::StoredItem& stored) {
  OpenItem item;
  item.name = std::string(stored.name);
  item.flags = stored.flags;
  item.stored_flags = stored.flags;
  item.item_id = stored.item_id;
  STATUS status = NewBlock(stored.type, stored.value, stored.length, &item);
  if (status != kNoError) {
    return status;
  }
  item.stored.assign(item.bytes, item.bytes + item.pool_size);
  items_.push_back(std::move(item));
  return kNoError;
}

const OpenItem* OpenNote::Item(std::size_t slot) const {
  if (slot >= items_.size() || items_[slot].removed) {
    return nullptr;
  }
  return &items_[slot];
}

std::optional<std::size_t> OpenNote::Find(std::optional<std::string_view> name,
                                          std::size_t from) const {
  for (std::size_t slot = from; slot < items_.size(); ++slot) {
    if (!items_[slot].removed && (!name || items_[slot].name == *name)) {
      return slot;
    }
  }
  return std::nullopt;
}

std::uint16_t OpenNote::Type(std::size_t slot) const {
  return base::LoadLittle16(items_[slot].bytes);
}

const std::uint8_t* OpenNote::Value(std::size_t slot) const { return items_[slot].bytes + 2; }

std::size_t OpenNote::ValueLength(std::size_t slot) const { return items_[slot].pool_size - 2; }

STATUS OpenNote::Add(std::string_view name, std::uint16_t type, std::uint16_t flags,
                     const std::uint8_t* data, std::size_t length, std::size_t* slot) {
  // Item blocks address items by a 16-bit slot.
  if (items_.size() > 0xFFFF) {
    return kErrOutOfMemory;
  }
  OpenItem item;
  item.name = std::string(name);
  item.flags = flags;
  STATUS status = NewBlock(type, data, length, &item);
  if (status != kNoError) {
    return status;
  }
  // Never stored, it gets a row of its own behind the others.
  items_.push_back(std::move(item));
  *slot = items_.size() - 1;
  return kNoError;
}

STATUS OpenNote::Replace(std::size_t slot, std::uint16_t type, std::uint16_t flags,
                         const std::uint8_t* data, std::size_t length) {
  OpenItem& item = items_[slot];
  DHANDLE old_pool = item.pool;
  STATUS status = NewBlock(type, data, length, &item);
  if (status != kNoError) {
    return status;
  }
  item.flags = flags;
  FreeMemory(old_pool);
  return kNoError;
}

void OpenNote::Remove(std::size_t slot) {
  OpenItem& item = items_[slot];
  FreeMemory(item.pool);
  item.pool = 0;
  item.pool_size = 2;
  item.bytes = nullptr;
  item.removed = true;
  layout_changed_ = true;
}

store::ItemWrite OpenNote::WriteOf(const OpenItem& item) const {
  const std::uint8_t* block = item.bytes;
  store::ItemWrite write;
  write.item_id = item.item_id;
  write.name = item.name;
  write.type = base::LoadLittle16(block);
  write.flags = item.flags;
  write.value = block + 2;
  write.length = item.pool_size - 2;
  if (layout_changed_ || item.flags != item.stored_flags || item.pool_size != item.stored.size() ||
      std::memcmp(block, item.stored.data(), 2) != 0) {
    write.change = store::ItemWrite::Change::kWhole;
  } else if (FindChangedRange(write.value, item.stored.data() + 2, write.length,
                              &write.first_changed, &write.end_changed)) {
    write.change = store::ItemWrite::Change::kBytes;
  } else {
    write.change = store::ItemWrite::Change::kNone;
  }
  return write;
}

bool OpenNote::HasChanges() const {
  // An item never stored has no stored bytes, so its size differs.
  return layout_changed_ || std::any_of(items_.begin(), items_.end(), [](const OpenItem& item) {
           return !item.removed &&
                  (item.flags != item.stored_flags || item.pool_size != item.stored.size() ||
                   std::memcmp(item.bytes, item.stored.data(), item.pool_size) != 0);
         });
}

void OpenNote::CollectWrites(std::vector<store::ItemWrite>* writes, bool* rewrite_items) const {
  writes->clear();
  writes->reserve(items_.size());
  for (const OpenItem& item : items_) {
    if (!item.removed) {
      writes->push_back(WriteOf(item));
    }
  }
  *rewrite_items = layout_changed_;
}

void OpenNote::MarkStored(const std::vector<store::ItemWrite>& writes) {
  auto write = writes.begin();
  for (OpenItem& item : items_) {
    if (item.removed) {
      continue;
    }
    item.item_id = write->item_id;
    item.stored_flags = item.flags;
    if (write->change == store::ItemWrite::Change::kBytes) {
      std::memcpy(item.stored.data() + 2 + write->first_changed,
                  write->value + write->first_changed, write->end_changed - write->first_changed);
    } else if (write->change == store::ItemWrite::Change::kWhole) {
      item.stored.assign(write->value - 2, write->value + write->length);
    }
    ++write;
  }
  layout_changed_ = false;
}

std::shared_ptr<OpenNote> FindOpenNote(NOTEHANDLE handle) { return Table().Find(handle); }

}  // namespace quendral::platform::internal
