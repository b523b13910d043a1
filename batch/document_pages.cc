#include "batch/document_pages.h"

#include <cstdint>

namespace quendral::batch {

LNSTATUS ForEachDocumentPage(LNDatabase& database, std::size_t page_size, const PageVisitor& read,
                             const PageVisitor& after) {
  std::vector<LNDocument> page;
  std::uint32_t after_note_id = 0;
  for (;;) {
    if (LNSTATUS status = database.BeginReadGroup(); status != 0) {
      return status;
    }
    LNSTATUS status = database.GetDocuments(after_note_id, page_size, &page);
    if (status == 0 && !page.empty()) {
      read(page);
    }
    // A read group only ever reads: ending it cannot lose anything.
    database.EndReadGroup();
    if (status != 0 || page.empty()) {
      return status;
    }
    after_note_id = page.back().GetNoteID();
    if (after) {
      after(page);
    }
  }
}

}  // namespace quendral::batch
