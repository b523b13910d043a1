// Going through a database's documents a page at a time, so that no run
// holds more of a database than one page, however large the database is.
#ifndef QUENDRAL_BATCH_DOCUMENT_PAGES_H_
#define QUENDRAL_BATCH_DOCUMENT_PAGES_H_

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/notes/api/ln.h"

namespace quendral::batch {

// Calls `read` with each page of at most `page_size` documents (bound, not
// opened), in note ID order, and then `after` (when given) with the same
// page. The listing and `read` share one read group of the database, so
// that `read` must save nothing; `after` runs outside it. Documents added
// meanwhile behind the last page read are visited too. Returns the status
// that stopped the listing, 0 when every page was visited.
using PageVisitor = std::function<void(std::vector<LNDocument>& page)>;
LNSTATUS ForEachDocumentPage(LNDatabase& database, std::size_t page_size, const PageVisitor& read,
                             const PageVisitor& after = nullptr);

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_DOCUMENT_PAGES_H_
