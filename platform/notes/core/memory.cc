#include "platform/notes/core/memory.h"

#include <atomic>
#include <deque>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace quendral::platform {
namespace {

struct Block {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t size = 0;
};

// Each thread allocates from a shard of the table of its own, so that
// threads working at once (an audit's workers) do not wait on one another
// for every block; a handle names its shard in its low bits, so that any
// thread frees or locks it in the right one.
constexpr DHANDLE kShards = 8;

// Handles are never reused until the shard's counter wraps, so a stale
// handle almost always meets an empty slot instead of someone else's block.
class HandleShard {
 public:
  explicit HandleShard(DHANDLE index) : last_handle_(index) {}

  DHANDLE Allocate(std::size_t size) {
    // At least one byte, so that even an empty block has an address.
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[size == 0 ? 1 : size]());
    if (!bytes) {
      return 0;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    DHANDLE handle = NextFreeHandle();
    by_address_.emplace(bytes.get(), handle);
    blocks_.emplace(handle, Block{std::move(bytes), size});
    return handle;
  }

  void* Lock(DHANDLE handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    Block* block = Find(handle);
    return block == nullptr ? nullptr : block->bytes.get();
  }

  STATUS Free(DHANDLE handle) {
    std::unique_ptr<std::uint8_t[]> released;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      auto found = blocks_.find(handle);
      if (found == blocks_.end()) {
        return kErrInvalidHandle;
      }
      released = std::move(found->second.bytes);
      by_address_.erase(released.get());
      blocks_.erase(found);
    }
    return kNoError;
  }

  std::size_t Size(DHANDLE handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    Block* block = Find(handle);
    return block == nullptr ? 0 : block->size;
  }

  std::size_t BytesAvailableAt(const void* address) {
    const auto* byte = static_cast<const std::uint8_t*>(address);
    std::lock_guard<std::mutex> lock(mutex_);
    auto after = by_address_.upper_bound(byte);
    if (after == by_address_.begin()) {
      return 0;
    }
    const Block* block = Find(std::prev(after)->second);
    const std::uint8_t* end = block->bytes.get() + block->size;
    return std::less<>()(byte, end) ? static_cast<std::size_t>(end - byte) : 0;
  }

 private:
  Block* Find(DHANDLE handle) {
    auto found = blocks_.find(handle);
    return found == blocks_.end() ? nullptr : &found->second;
  }

  DHANDLE NextFreeHandle() {
    do {
      last_handle_ += kShards;
    } while (last_handle_ == 0 || blocks_.count(last_handle_) != 0);
    return last_handle_;
  }

  std::mutex mutex_;
  std::unordered_map<DHANDLE, Block> blocks_;
  // The blocks by their first byte, to find the block an address lies in.
  std::map<const std::uint8_t*, DHANDLE, std::less<>> by_address_;
  DHANDLE last_handle_ = 0;
};

std::deque<HandleShard>& Shards() {
  // Never destroyed: handles may still be freed from static destructors.
  static auto* shards = [] {
    auto* made = new std::deque<HandleShard>;
    for (DHANDLE index = 0; index < kShards; ++index) {
      made->emplace_back(index);
    }
    return made;
  }();
  return *shards;
}

HandleShard& ShardOf(DHANDLE handle) { return Shards()[handle % kShards]; }

HandleShard& ThisThreadsShard() {
  static std::atomic<DHANDLE> threads{0};
  thread_local HandleShard* shard = &Shards()[threads++ % kShards];
  return *shard;
}

}  // namespace

DHANDLE AllocateMemory(std::size_t size) { return ThisThreadsShard().Allocate(size); }

void* LockMemory(DHANDLE handle) { return ShardOf(handle).Lock(handle); }

// Blocks never move, so a lock pins nothing and there is nothing to undo.
void UnlockMemory(DHANDLE /*handle*/) {}

STATUS FreeMemory(DHANDLE handle) { return ShardOf(handle).Free(handle); }

std::size_t MemorySize(DHANDLE handle) { return ShardOf(handle).Size(handle); }

// Blocks do not overlap: the address lies in one block of one shard at most.
std::size_t BytesAvailableAt(const void* address) {
  for (HandleShard& shard : Shards()) {
    if (const std::size_t available = shard.BytesAvailableAt(address); available > 0) {
      return available;
    }
  }
  return 0;
}

}  // namespace quendral::platform
