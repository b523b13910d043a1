#include "platform/notes/api/ln_note.h"

#include "platform/notes/api/ln_internal.h"
#include "platform/notes/api/ln_item.h"
#include "platform/notes/api/ln_report.h"
#include "platform/notes/api/local_time.h"
#include "platform/notes/core/call_gate.h"
#include "platform/notes/core/core_api.h"

using quendral::platform::internal::OpenNote;
using quendral::platform::internal::Report;

namespace {

std::shared_ptr<quendral::platform::internal::ItemBinding> Attach(
    const std::shared_ptr<OpenNote>& note, std::size_t slot) {
  auto binding = std::make_shared<quendral::platform::internal::ItemBinding>();
  binding->note = note;
  binding->slot = slot;
  binding->attached = true;
  return binding;
}

// Adds the item, or with kItemOptionReplace puts the value in place of the
// items of that name.
quendral::platform::STATUS PutItem(OpenNote* note, std::string_view name, std::uint16_t type,
                                   const std::uint8_t* data, std::size_t length,
                                   std::uint16_t flags, std::uint32_t option, std::size_t* slot) {
  std::optional<std::size_t> existing = note->Find(name, 0);
  if ((option & quendral::platform::kItemOptionReplace) == 0 || !existing) {
    return note->Add(name, type, flags, data, length, slot);
  }
  quendral::platform::STATUS status = note->Replace(*existing, type, flags, data, length);
  for (auto other = note->Find(name, *existing + 1);
       other && status == quendral::platform::kNoError; other = note->Find(name, *other + 1)) {
    note->Remove(*other);
  }
  *slot = *existing;
  return status;
}

}  // namespace

LNNote::LNNote() = default;
LNNote::~LNNote() = default;
LNNote::LNNote(const LNNote&) = default;
LNNote& LNNote::operator=(const LNNote&) = default;

LNSTATUS LNNote::Open(int /*flags*/) {
  if (!note_ || note_->header.note_id == 0) {
    return Report(note_ && note_->open ? quendral::platform::kNoError
                                       : quendral::platform::kErrNoteNotFound);
  }
  if (note_->open) {
    return quendral::platform::kNoError;
  }
  const std::shared_ptr<quendral::platform::store::Store>& store = note_->database->store;
  if (!store) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  std::shared_ptr<OpenNote> open;
  quendral::platform::STATUS status = OpenNote::Create(&open);
  quendral::platform::store::NoteHeader header = note_->header;
  if (status == quendral::platform::kNoError) {
    status = store->ReadNote(note_->header.note_id, &header,
                             [&](const auto& item) { return open->AddStoredItem(item); });
  }
  if (status == quendral::platform::kNoError) {
    note_->header = std::move(header);
    note_->open = std::move(open);
  }
  return Report(status);
}

bool LNNote::IsOpen() const { return note_ && note_->open; }

LNSTATUS LNNote::Close() {
  if (!note_) {
    return Report(quendral::platform::kErrNoteNotOpen);
  }
  note_->open.reset();
  return quendral::platform::kNoError;
}

LNSTATUS LNNote::Save(int /*flags*/) {
  if (!IsOpen()) {
    return Report(quendral::platform::kErrNoteNotOpen);
  }
  const std::shared_ptr<quendral::platform::store::Store>& store = note_->database->store;
  if (!store) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  std::vector<quendral::platform::store::ItemWrite> writes;
  bool rewrite_items = false;
  note_->open->CollectWrites(&writes, &rewrite_items);
  quendral::platform::STATUS status = store->SaveNote(
      &note_->header, quendral::platform::internal::CurrentLocalTime(), rewrite_items, &writes);
  if (status == quendral::platform::kNoError) {
    note_->open->MarkStored(writes);
  }
  return Report(status);
}

bool LNNote::HasUnsavedChanges() const { return IsOpen() && note_->open->HasChanges(); }

quendral::platform::NOTEHANDLE LNNote::GetNoteHandle(int /*flag*/) const {
  if (!IsOpen()) {
    Report(quendral::platform::kErrNoteNotOpen);
    return 0;
  }
  return note_->open->handle();
}

LNSTATUS LNNote::GetItem(const LNString& name, LNItem* item) const {
  if (item == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  item->binding_ = std::make_shared<quendral::platform::internal::ItemBinding>();
  if (!IsOpen()) {
    return Report(quendral::platform::kErrNoteNotOpen);
  }
  std::optional<std::size_t> slot = note_->open->Find(name.View(), 0);
  if (!slot) {
    return Report(quendral::platform::kErrItemNotFound);
  }
  item->binding_ = Attach(note_->open, *slot);
  return quendral::platform::kNoError;
}

bool LNNote::HasItem(const LNString& name) const {
  return IsOpen() && note_->open->Find(name.View(), 0).has_value();
}

LNSTATUS LNNote::GetItems(std::vector<LNItem>* items) const {
  if (items == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  items->clear();
  if (!IsOpen()) {
    return Report(quendral::platform::kErrNoteNotOpen);
  }
  for (auto slot = note_->open->Find(std::nullopt, 0); slot;
       slot = note_->open->Find(std::nullopt, *slot + 1)) {
    items->emplace_back();
    items->back().binding_ = Attach(note_->open, *slot);
  }
  return quendral::platform::kNoError;
}

LNSTATUS LNNote::CreateItem(const LNString& name, const LNItem& source, std::uint16_t flags,
                            std::uint32_t option, LNItem* result) {
  quendral::platform::internal::ValueView view =
      quendral::platform::internal::View(*source.binding_);
  if (!view.valid) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  // The source may be an item of this very note, whose value block the new
  // item may replace.
  std::vector<std::uint8_t> value(view.data, view.data + view.length);
  return CreateItem(name, view.type, value.data(), static_cast<std::uint32_t>(value.size()), flags,
                    option, result);
}

LNSTATUS LNNote::CreateItem(const LNString& name, std::uint16_t type, const void* data,
                            std::uint32_t length, std::uint16_t flags, std::uint32_t option,
                            LNItem* result) {
  if (name.IsNull() || name.GetByteLength() > quendral::platform::kMaxItemNameLength ||
      (data == nullptr && length != 0)) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(quendral::platform::kErrNoteNotOpen);
  }
  if (!quendral::platform::CallMayProceed(quendral::platform::GatedCall::kCreateItem)) {
    return Report(quendral::platform::kErrOutOfMemory);
  }
  std::size_t slot = 0;
  quendral::platform::STATUS status =
      PutItem(note_->open.get(), name.View(), type, static_cast<const std::uint8_t*>(data), length,
              flags, option, &slot);
  if (status == quendral::platform::kNoError && result != nullptr) {
    result->binding_ = Attach(note_->open, slot);
  }
  return Report(status);
}

LNSTATUS LNNote::DeleteItem(const LNString& name) {
  if (!IsOpen()) {
    return Report(quendral::platform::kErrNoteNotOpen);
  }
  std::optional<std::size_t> slot = note_->open->Find(name.View(), 0);
  if (!slot) {
    return Report(quendral::platform::kErrItemNotFound);
  }
  for (; slot; slot = note_->open->Find(name.View(), *slot + 1)) {
    note_->open->Remove(*slot);
  }
  return quendral::platform::kNoError;
}

LNSTATUS LNNote::GetUniversalID(UNIVERSALNOTEID* id) const {
  if (id == nullptr || !note_) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  *id = note_->header.unid;
  return quendral::platform::kNoError;
}

std::uint32_t LNNote::GetNoteID() const {
  return note_ ? static_cast<std::uint32_t>(note_->header.note_id) : 0;
}

std::uint32_t LNNote::GetSequenceNumber() const { return note_ ? note_->header.sequence : 0; }

LNSTATUS LNNote::GetCreated(LNDatetime* created) const {
  if (created == nullptr || !note_) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  *created = LNDatetime(note_->header.created);
  return quendral::platform::kNoError;
}

LNSTATUS LNNote::GetLastModified(LNDatetime* modified) const {
  if (modified == nullptr || !note_) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  *modified = LNDatetime(note_->header.modified);
  return quendral::platform::kNoError;
}

LNSTATUS LNProfileDocument::GetProfileField(const LNString& field, LNItem* item) const {
  return GetItem(field, item);
}

LNSTATUS LNProfileDocument::SetProfileField(const LNString& field, const LNItem& item) {
  LNSTATUS status =
      CreateItem(field, item, item.GetFlags(), quendral::platform::kItemOptionReplace);
  return status != quendral::platform::kNoError ? status : Save(0);
}
