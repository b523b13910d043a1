// The core calls that walk and query the items of an open note.
#include <algorithm>
#include <cstring>

#include "platform/notes/core/call_gate.h"
#include "platform/notes/core/core_api.h"
#include "platform/notes/core/open_note.h"

namespace quendral::platform {
namespace {

std::optional<std::string_view> NameOf(const char* name, std::uint16_t name_length) {
  if (name == nullptr || name_length == 0) {
    return std::nullopt;
  }
  return std::string_view(name, name_length);
}

void Describe(const internal::OpenNote& note, std::size_t slot, BLOCKID* item,
              std::uint16_t* value_type, BLOCKID* value, std::uint32_t* value_length) {
  const internal::OpenItem& found = *note.Item(slot);
  if (item != nullptr) {
    *item = BLOCKID{note.handle(), static_cast<std::uint16_t>(slot)};
  }
  if (value_type != nullptr) {
    *value_type = note.Type(slot);
  }
  if (value != nullptr) {
    *value = BLOCKID{found.pool, 0};
  }
  if (value_length != nullptr) {
    *value_length = static_cast<std::uint32_t>(found.pool_size);
  }
}

}  // namespace

STATUS FindItem(NOTEHANDLE note, const char* name, std::uint16_t name_length, BLOCKID* item,
                std::uint16_t* value_type, BLOCKID* value, std::uint32_t* value_length) {
  std::shared_ptr<internal::OpenNote> open = internal::FindOpenNote(note);
  if (!open) {
    return kErrInvalidHandle;
  }
  std::optional<std::size_t> slot = open->Find(NameOf(name, name_length), 0);
  if (!slot) {
    return kErrItemNotFound;
  }
  Describe(*open, *slot, item, value_type, value, value_length);
  return kNoError;
}

STATUS FindNextItem(NOTEHANDLE note, BLOCKID previous, const char* name, std::uint16_t name_length,
                    BLOCKID* item, std::uint16_t* value_type, BLOCKID* value,
                    std::uint32_t* value_length) {
  std::shared_ptr<internal::OpenNote> open = internal::FindOpenNote(note);
  if (!open) {
    return kErrInvalidHandle;
  }
  // An item removed since the caller found it still marks a place to go on
  // from.
  if (previous.pool != note || previous.block >= open->slot_count()) {
    return kErrItemNotFound;
  }
  std::optional<std::size_t> slot =
      open->Find(NameOf(name, name_length), std::size_t{previous.block} + 1);
  if (!slot) {
    return kErrNoMoreItems;
  }
  Describe(*open, *slot, item, value_type, value, value_length);
  return kNoError;
}

STATUS QueryItem(NOTEHANDLE note, BLOCKID item, char* name_buffer, std::uint16_t name_buffer_size,
                 std::uint16_t* name_length, std::uint16_t* item_flags, std::uint16_t* value_type,
                 BLOCKID* value, std::uint32_t* value_length) {
  std::shared_ptr<internal::OpenNote> open = internal::FindOpenNote(note);
  if (!open) {
    return kErrInvalidHandle;
  }
  const internal::OpenItem* found = item.pool == note ? open->Item(item.block) : nullptr;
  if (found == nullptr || !CallMayProceed(GatedCall::kQueryItem)) {
    return kErrItemNotFound;
  }
  std::size_t copied = 0;
  if (name_buffer != nullptr && name_buffer_size > 0) {
    copied = std::min<std::size_t>(found->name.size(), name_buffer_size - 1u);
    std::memcpy(name_buffer, found->name.data(), copied);
    name_buffer[copied] = '\0';
  }
  if (name_length != nullptr) {
    *name_length = static_cast<std::uint16_t>(copied);
  }
  if (item_flags != nullptr) {
    *item_flags = found->flags;
  }
  Describe(*open, item.block, nullptr, value_type, value, value_length);
  return kNoError;
}

}  // namespace quendral::platform
