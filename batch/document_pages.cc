#include "batch/document_pages.h"

#include <cstdint>

namespace quendral::batch {

LNSTATUS ForEachDocumentPage(const LNDatabase& database, std::size_t page_size,
                             const std::function<void(std::vector<LNDocument>& page)>& visit) {
  std::vector<LNDocument> page;
  std::uint32_t after = 0;
  for (;;) {
    if (LNSTATUS status = database.GetDocuments(after, page_size, &page); status != 0) {
      return status;
    }
    if (page.empty()) return 0;
    after = page.back().GetNoteID();
    visit(page);
  }
}

}  // namespace quendral::batch
