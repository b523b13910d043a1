// A repair run over the documents of one database.
//
// The documents are read a page at a time in note ID order, never all at
// once. Each taken document is opened, repaired in memory and, when any of
// its bytes changed, kept open until its group is saved: one transaction per
// group, each document in it saved whole or not at all. A document that
// someone else saved after it was read is not overwritten; it is counted as
// a conflict and left for the next run. A kill therefore leaves every
// document as it was or fully repaired, and running again finishes the rest.
#ifndef QUENDRAL_BATCH_BATCH_RUN_H_
#define QUENDRAL_BATCH_BATCH_RUN_H_

#include <cstddef>
#include <cstdint>
#include <functional>

#include "batch/document_repair.h"
#include "batch/selection.h"
#include "platform/notes/api/ln.h"
#include "report/run_summary.h"

namespace quendral::batch {

struct RunOptions {
  const Selection* selection = nullptr;  // nullptr: every document
  // Reads and repairs in memory and counts, but saves nothing.
  bool dry_run = false;
  // Documents read per page; the changed ones of a page are saved in one
  // transaction.
  std::size_t group_size = 250;
  // Told after each document was read and handled in memory (before its
  // group is saved): documents done, and the database's documents.
  std::function<void(std::int64_t done, std::int64_t total)> on_document;
};

// Runs `repair` over every document of the open database, adding what
// happened to `summary` (its counts start where the caller left them).
void RunOverDatabase(LNDatabase& database, DocumentRepair& repair, const RunOptions& options,
                     report::RunSummary* summary);

// The same for the one `document` of the database, found by the caller (who
// decides how a missing one is reported).
void RunOverDocument(LNDatabase& database, LNDocument document, DocumentRepair& repair,
                     const RunOptions& options, report::RunSummary* summary);

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_BATCH_RUN_H_
