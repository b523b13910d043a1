// Whether a database holds a document of a UNID, asked once per link. The
// first questions asked of a database are indexed queries; once they are
// many, its UNIDs are read once, sorted, and the rest are answered from
// memory. A database of more than kMaxRememberedDocuments keeps being
// queried, so that what is held stays small however large the database is.
#ifndef QUENDRAL_BATCH_DOCUMENT_LOOKUP_H_
#define QUENDRAL_BATCH_DOCUMENT_LOOKUP_H_

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/notes/api/document_images.h"

namespace quendral::batch {

class DocumentLookup {
 public:
  // 1 MiB of UNIDs at most: a run over a large database keeps the memory
  // it needs for a small one, at the cost of a query a link.
  static constexpr std::size_t kMaxRememberedDocuments = std::size_t{1} << 16;
  // Reading a database's UNIDs costs about as much as querying a sixteenth
  // of them, so a few hundred queries come first: a database asked little
  // of is never read whole.
  static constexpr std::size_t kQuestionsBeforeListing = 256;

  explicit DocumentLookup(platform::DocumentImages database) : database_(std::move(database)) {}

  // Whether the database holds a document of `unid` (a document: never a
  // profile). The list read once is the database as it was then.
  platform::STATUS Holds(const UNIVERSALNOTEID& unid, bool* held);

 private:
  // The UNID's words as two numbers, for sorting.
  using Key = std::pair<std::uint64_t, std::uint64_t>;
  static Key KeyOf(const UNIVERSALNOTEID& unid);

  // Reads the list once the questions are many. A list that cannot be read,
  // or is too long, leaves every answer to the queries, which report their
  // own errors.
  void RememberWhenWorthIt();

  platform::DocumentImages database_;
  std::size_t questions_ = 0;
  enum class Memory { kQuerying, kRemembering, kGivenUp } memory_ = Memory::kQuerying;
  std::vector<Key> remembered_;  // sorted
};

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_DOCUMENT_LOOKUP_H_
