#include "platform/notes/item_values.h"
#include "platform/notes/ln_internal.h"
#include "platform/notes/ln_item.h"
#include "platform/notes/ln_report.h"

LNRichText::LNRichText() : LNItem(notes::kTypeCompositeText) {}
LNRichText::LNRichText(const LNItem& item) { Share(item); }
LNRichText& LNRichText::operator=(const LNItem& item) {
  Share(item);
  return *this;
}

LNSTATUS LNRichText::GetText(LNString* text) const {
  if (text == nullptr) {
    return notes::internal::Report(notes::kErrInvalidArgument);
  }
  *text = LNString();
  notes::internal::ValueView view = notes::internal::View(*binding_);
  if (!view.valid) {
    return notes::internal::Report(binding_->attached ? notes::kErrNoteNotOpen
                                                      : notes::kErrItemNotFound);
  }
  if (view.type != notes::kTypeCompositeText) {
    return notes::internal::Report(notes::kErrItemTypeMismatch);
  }
  std::vector<notes::richtext::Paragraph> paragraphs;
  notes::STATUS status = notes::values::DecodeRichText(view.data, view.length, &paragraphs);
  if (status == notes::kNoError) {
    *text = LNString(notes::richtext::PlainText(paragraphs));
  }
  return notes::internal::Report(status);
}
