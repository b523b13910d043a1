// Memory handles: the platform's process-wide table of movable-by-name,
// fixed-in-place memory blocks.
//
// Core calls hand out item values and formula buffers as handles rather than
// pointers so that a caller can keep a handle past the call and ask for the
// address only while it works on the bytes. Blocks never move once
// allocated, so an address taken by LockMemory stays valid until the block
// is freed. Every function is safe to call from any thread, and a stale or
// made-up handle is answered with an error, never with a crash.
#ifndef QUENDRAL_PLATFORM_NOTES_CORE_MEMORY_H_
#define QUENDRAL_PLATFORM_NOTES_CORE_MEMORY_H_

#include <cstddef>

#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform {

// A zero-filled block of `size` bytes (0 bytes is allowed); 0 when memory
// runs out.
DHANDLE AllocateMemory(std::size_t size);

// The block's address, or nullptr for a handle that is not allocated.
void* LockMemory(DHANDLE handle);

// Ends the use of an address from LockMemory; harmless for any handle.
void UnlockMemory(DHANDLE handle);

// Releases the block; kErrInvalidHandle when the handle is not allocated
// (also when it was freed already).
STATUS FreeMemory(DHANDLE handle);

// The block's size in bytes, 0 for a handle that is not allocated.
std::size_t MemorySize(DHANDLE handle);

// How many bytes of an allocated block lie at and after `address`; 0 when
// the address lies in no block. Lets calls that take a bare pointer to
// self-delimiting data stay inside the block it points into.
std::size_t BytesAvailableAt(const void* address);

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_CORE_MEMORY_H_
