// The documents of an open database read as item images rather than as open
// notes, for runs over whole databases that look at values and change
// nothing. The reads go through the database's own connection, a page at a
// time, each page from one state of the file: what is held is one page
// however large the database is.
#ifndef QUENDRAL_PLATFORM_NOTES_API_DOCUMENT_IMAGES_H_
#define QUENDRAL_PLATFORM_NOTES_API_DOCUMENT_IMAGES_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/notes/api/ln_database.h"
#include "platform/notes/images/note_images.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform {

class DocumentImages {
 public:
  // Reads `database`, which it keeps open while it is kept (a handle, as the
  // database's copies are). kErrDatabaseNotOpen from every read when it was
  // not open.
  explicit DocumentImages(const LNDatabase& database);

  // Given each document with its items in storage order. It may change the
  // items; they are read afresh for the next document. A status other than
  // kNoError stops the reading and is returned.
  using Sink =
      std::function<STATUS(const store::NoteHeader& header, std::vector<store::ItemImage>& items)>;

  // Every document in note ID order, `page_size` to a page. Each page is one
  // read group, which the sink's own reads of the database (Holds, opening
  // a document) share.
  STATUS ForEach(std::size_t page_size, const Sink& sink) const;

  // Whether a document of `unid` is stored (never a profile): one indexed
  // lookup.
  STATUS Holds(const UNIVERSALNOTEID& unid, bool* held) const;

  // The identities of the first `limit` documents, in note ID order.
  STATUS ListIds(std::size_t limit, std::vector<UNIVERSALNOTEID>* ids) const;

 private:
  std::shared_ptr<internal::DatabaseBinding> binding_;
};

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_API_DOCUMENT_IMAGES_H_
