#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_internal.h"
#include "platform/notes/api/ln_item.h"
#include "platform/notes/api/ln_report.h"

LNRichText::LNRichText() : LNItem(quendral::platform::kTypeCompositeText) {}
LNRichText::LNRichText(const LNItem& item) { Share(item); }
LNRichText& LNRichText::operator=(const LNItem& item) {
  Share(item);
  return *this;
}

LNSTATUS LNRichText::GetText(LNString* text) const {
  if (text == nullptr) {
    return quendral::platform::internal::Report(quendral::platform::kErrInvalidArgument);
  }
  *text = LNString();
  quendral::platform::internal::ValueView view = quendral::platform::internal::View(*binding_);
  if (!view.valid) {
    return quendral::platform::internal::Report(binding_->attached
                                                    ? quendral::platform::kErrNoteNotOpen
                                                    : quendral::platform::kErrItemNotFound);
  }
  if (view.type != quendral::platform::kTypeCompositeText) {
    return quendral::platform::internal::Report(quendral::platform::kErrItemTypeMismatch);
  }
  std::vector<quendral::platform::richtext::Paragraph> paragraphs;
  quendral::platform::STATUS status =
      quendral::platform::values::DecodeRichText(view.data, view.length, &paragraphs);
  if (status == quendral::platform::kNoError) {
    *text = LNString(quendral::platform::richtext::PlainText(paragraphs));
  }
  return quendral::platform::internal::Report(status);
}
