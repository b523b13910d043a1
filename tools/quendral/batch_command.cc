#include "tools/quendral/batch_command.h"

#include <ostream>
#include <utility>

#include "batch/batch_run.h"
#include "report/json_text.h"
#include "report/progress.h"
#include "report/run_summary.h"
#include "tools/quendral/command_error.h"

namespace quendral::cli {
namespace {

int RunBatch(const BatchOptions& options, Prepared& prepared, batch::DocumentRepair& repair,
             bool counts_backups) {
  LNDatabase& database = prepared.database;
  const LNDocument document =
      options.all ? LNDocument() : ToolSession::FindDocument(database, options.unid);
  report::RunSummary summary;
  summary.source = options.database;
  summary.dry_run = options.dry_run;
  if (counts_backups) {
    summary.without_backup = 0;
  }
  const Context& context = prepared.context;
  report::ProgressDisplay progress(*context.err, ShowsProgress(options));
  batch::RunOptions run;
  run.selection = &options.selection;
  run.dry_run = options.dry_run;
  run.on_document = [&progress](std::int64_t done, std::int64_t total) {
    progress.Update(done, total);
  };
  if (options.all) {
    batch::RunOverDatabase(database, repair, run, &summary);
  } else {
    batch::RunOverDocument(database, document, repair, run, &summary);
  }
  progress.Finish();
  if (options.json) {
    *context.out << report::JsonText(report::SummaryJson(summary), -1) << "\n";
  } else {
    *context.out << report::SummaryText(summary);
  }
  // Closing folds the saves from the log into the file: a disk that fails
  // then is reported, not left for the next opener to find.
  LNSetThrowAllErrorsGlobal(0);
  CheckStatus(database.Close(), "closing the database failed");
  return report::ExitCode(summary);
}

}  // namespace

void AddBatchFlags(CLI::App* command, BatchOptions* options, bool with_select) {
  if (with_select) {
    command->add_option("--select", options->select,
                        "Selection formula: only documents for which it is true (with --all)");
  }
  command->add_flag("--dry-run", options->dry_run, "Report what would change and write nothing");
  command->add_flag("--json", options->json, "Print the summary as JSON");
  command->add_flag("--quiet", options->quiet, "No progress display");
}

batch::Selection CompileSelection(const std::string& text) {
  batch::Selection selection;
  batch::Selection::CompileError error;
  if (!text.empty() && !selection.Compile(text, &error)) {
    throw CommandError("selection formula error at position " + std::to_string(error.position) +
                       ": " + error.message);
  }
  return selection;
}

bool ShowsProgress(const BatchOptions& options) {
  return !options.quiet && report::StandardErrorIsTerminal();
}

Route BatchRoute(const char* name, const char* description,
                 const std::shared_ptr<BatchOptions>& options, RepairMaker make_repair,
                 bool counts_backups) {
  Route route;
  route.name = name;
  route.description = description;
  route.setup = Setup::kDatabase;
  route.target = options;
  route.before = [options] { options->selection = CompileSelection(options->select); };
  route.run = [options, make_repair = std::move(make_repair), counts_backups](Prepared& prepared) {
    const std::unique_ptr<batch::DocumentRepair> repair = make_repair(prepared);
    return RunBatch(*options, prepared, *repair, counts_backups);
  };
  return route;
}

}  // namespace quendral::cli
