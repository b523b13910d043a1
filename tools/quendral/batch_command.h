// What the whole-database commands share: their options, the selection
// formula compiled before anything is read, and a run reported as a summary
// with its exit code.
#ifndef QUENDRAL_TOOLS_QUENDRAL_BATCH_COMMAND_H_
#define QUENDRAL_TOOLS_QUENDRAL_BATCH_COMMAND_H_

#include <CLI/CLI.hpp>
#include <string>

#include "batch/document_repair.h"
#include "batch/selection.h"
#include "tools/quendral/commands.h"
#include "tools/quendral/tool_session.h"

namespace quendral::cli {

struct BatchOptions {
  std::string server, database, unid, select;
  bool all = false, dry_run = false, json = false, quiet = false;
};

// --select (when `with_select`), --dry-run, --json and --quiet.
void AddBatchFlags(CLI::App* command, BatchOptions* options, bool with_select);

// The selection of `text` (every document when empty); a CommandError with
// the compiler's message and position when it does not compile.
batch::Selection CompileSelection(const std::string& text);

// Whether progress is drawn: standard error is a terminal and not --quiet.
bool ShowsProgress(const BatchOptions& options);

// Runs `repair` over the open database (or over the document options.unid
// when not options.all), prints the summary and returns the exit code.
// `counts_backups`: the summary reports documents without backup.
int RunBatch(const BatchOptions& options, const batch::Selection& selection, LNDatabase& database,
             batch::DocumentRepair& repair, bool counts_backups, const Context& context);

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_BATCH_COMMAND_H_
