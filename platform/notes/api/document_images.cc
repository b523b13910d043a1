#include "platform/notes/api/document_images.h"

#include "platform/notes/api/ln_internal.h"

namespace quendral::platform {

DocumentImages::DocumentImages(const LNDatabase& database) : binding_(database.binding_) {}

STATUS DocumentImages::ForEach(std::size_t page_size, const Sink& sink) const {
  if (!binding_ || !binding_->store) {
    return kErrDatabaseNotOpen;
  }
  store::Store& store = *binding_->store;
  std::int64_t after_note_id = 0;
  for (;;) {
    std::size_t listed = 0;
    STATUS status = store.BeginReadGroup();
    if (status != kNoError) {
      return status;
    }
    status = store.ReadDocumentsAfter(
        after_note_id, page_size,
        [&](const store::NoteHeader& header, std::vector<store::ItemImage>& items) {
          after_note_id = header.note_id;
          ++listed;
          return sink(header, items);
        });
    // A read group only ever reads: ending it cannot lose anything.
    store.EndReadGroup();
    if (status != kNoError || listed == 0) {
      return status;
    }
  }
}

STATUS DocumentImages::Holds(const UNIVERSALNOTEID& unid, bool* held) const {
  if (!binding_ || !binding_->store) {
    return kErrDatabaseNotOpen;
  }
  return binding_->store->HasDocument(unid, held);
}

STATUS DocumentImages::ListIds(std::size_t limit, std::vector<UNIVERSALNOTEID>* ids) const {
  if (!binding_ || !binding_->store) {
    return kErrDatabaseNotOpen;
  }
  return binding_->store->ListDocuments(ids, limit);
}

}  // namespace quendral::platform
