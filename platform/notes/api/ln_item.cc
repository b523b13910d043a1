#include "platform/notes/api/ln_item.h"

#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_internal.h"
#include "platform/notes/api/ln_report.h"

namespace quendral::platform::internal {

std::shared_ptr<OpenNote> ItemBinding::Note() const {
  std::shared_ptr<OpenNote> open = note.lock();
  return open && open->Item(slot) != nullptr ? open : nullptr;
}

ValueView View(const ItemBinding& item) {
  ValueView view;
  if (!item.attached) {
    view.valid = item.type != 0;
    view.type = item.type;
    view.flags = item.flags;
    view.name = item.name;
    view.data = item.value.data();
    view.length = item.value.size();
    return view;
  }
  std::shared_ptr<OpenNote> note = item.Note();
  if (note) {
    view.valid = true;
    view.type = note->Type(item.slot);
    view.flags = note->Item(item.slot)->flags;
    view.name = note->Item(item.slot)->name;
    view.data = note->Value(item.slot);
    view.length = note->ValueLength(item.slot);
  }
  return view;
}

STATUS WriteValue(ItemBinding* item, std::uint16_t type, const std::uint8_t* data,
                  std::size_t length) {
  if (!item->attached) {
    item->type = type;
    item->value.assign(data, data + length);
    return kNoError;
  }
  std::shared_ptr<OpenNote> note = item->Note();
  if (!note) {
    return kErrNoteNotOpen;
  }
  return note->Replace(item->slot, type, note->Item(item->slot)->flags, data, length);
}

STATUS ReadList(const ItemBinding& item, formula::ValueKind kind, formula::Value* list) {
  ValueView view = View(item);
  if (!view.valid) {
    return item.attached ? kErrNoteNotOpen : kErrItemNotFound;
  }
  STATUS status = values::DecodeFormulaValue(view.type, view.data, view.length, list);
  if (status == kNoError && list->kind != kind) {
    return kErrItemTypeMismatch;
  }
  return status;
}

STATUS WriteList(ItemBinding* item, const formula::Value& list) {
  std::uint16_t type = 0;
  values::Bytes bytes;
  STATUS status = values::EncodeFormulaValue(list, &type, &bytes);
  return status != kNoError ? status : WriteValue(item, type, bytes.data(), bytes.size());
}

}  // namespace quendral::platform::internal

using quendral::platform::internal::ItemBinding;
using quendral::platform::internal::Report;
using quendral::platform::internal::View;

LNItem::LNItem() : binding_(std::make_shared<ItemBinding>()) {}

LNItem::LNItem(std::uint16_t type) : LNItem() { binding_->type = type; }

LNItem::~LNItem() = default;

LNItem::LNItem(const LNItem&) = default;

LNItem& LNItem::operator=(const LNItem&) = default;

void LNItem::Share(const LNItem& other) { binding_ = other.binding_; }

bool LNItem::IsNull() const { return !View(*binding_).valid; }

std::uint16_t LNItem::GetType() const { return View(*binding_).type; }

LNString LNItem::GetName() const { return LNString(View(*binding_).name); }

std::uint16_t LNItem::GetFlags() const { return View(*binding_).flags; }

std::uint32_t LNItem::GetValueLength() const {
  return static_cast<std::uint32_t>(View(*binding_).length);
}

const std::uint8_t* LNItem::GetValuePtr() const { return View(*binding_).data; }

std::vector<std::uint8_t> LNItem::GetValue() const {
  quendral::platform::internal::ValueView view = View(*binding_);
  return view.valid ? std::vector<std::uint8_t>(view.data, view.data + view.length)
                    : std::vector<std::uint8_t>();
}

LNSTATUS LNItem::SetValue(std::uint16_t type, const void* data, std::uint32_t length) {
  if (data == nullptr && length != 0) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  return Report(quendral::platform::internal::WriteValue(
      binding_.get(), type, static_cast<const std::uint8_t*>(data), length));
}
