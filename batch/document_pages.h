// Going through a database's documents a page at a time, so that no run
// holds more of a database than one page, however large the database is.
#ifndef QUENDRAL_BATCH_DOCUMENT_PAGES_H_
#define QUENDRAL_BATCH_DOCUMENT_PAGES_H_

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/notes/ln.h"

namespace quendral::batch {

// Calls `visit` with each page of at most `page_size` documents (bound, not
// opened), in note ID order. Documents added meanwhile behind the last page
// read are visited too. Returns the status that stopped the listing, 0 when
// every page was visited.
LNSTATUS ForEachDocumentPage(const LNDatabase& database, std::size_t page_size,
                             const std::function<void(std::vector<LNDocument>& page)>& visit);

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_DOCUMENT_PAGES_H_
