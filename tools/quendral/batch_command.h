// What the repairs of one document or of whole databases share: their
// options, the selection formula compiled before anything is read, and a run
// through the batch run reported as a summary with its exit code.
#ifndef QUENDRAL_TOOLS_QUENDRAL_BATCH_COMMAND_H_
#define QUENDRAL_TOOLS_QUENDRAL_BATCH_COMMAND_H_

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <string>

#include "batch/document_repair.h"
#include "batch/selection.h"
#include "tools/quendral/command_table.h"

namespace quendral::cli {

// The target's unid names the one document to repair unless `all`.
struct BatchOptions : Target {
  std::string select;
  bool all = false, dry_run = false, json = false, quiet = false;
  batch::Selection selection;  // compiled from `select` before the run
};

// --select (when `with_select`), --dry-run, --json and --quiet.
void AddBatchFlags(CLI::App* command, BatchOptions* options, bool with_select);

// The selection of `text` (every document when empty); a CommandError with
// the compiler's message and position when it does not compile.
batch::Selection CompileSelection(const std::string& text);

// Whether progress is drawn: standard error is a terminal and not --quiet.
bool ShowsProgress(const BatchOptions& options);

// The repair a command runs, made once its database is open.
using RepairMaker = std::function<std::unique_ptr<batch::DocumentRepair>(Prepared&)>;

// The route of a repair command: its selection compiled first, then its
// database opened, then the repair run over the document options->unid (a
// missing one is an input error, as a missing database is) or, with
// options->all, over every document; the summary printed and its exit code
// returned. `counts_backups`: the summary reports documents without backup.
Route BatchRoute(const char* name, const char* description,
                 const std::shared_ptr<BatchOptions>& options, RepairMaker make_repair,
                 bool counts_backups);

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_BATCH_COMMAND_H_
