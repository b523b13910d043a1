// dxl audit, dxl fix-hidewhen, dxl relink: exports (DXL) audited and
// repaired as files, without a database.
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>

#include "database_json/replica_text.h"
#include "dxl/export_audit.h"
#include "dxl/export_audit_files.h"
#include "dxl/export_file.h"
#include "dxl/export_folder.h"
#include "dxl/export_repairs.h"
#include "dxl/text_encoding.h"
#include "notes/replica_id.h"
#include "platform/notes/api/database_file.h"
#include "report/audit_json_sink.h"
#include "report/audit_text_sink.h"
#include "report/json_text.h"
#include "report/parallel_audit.h"
#include "report/run_summary.h"
#include "report/text_line.h"
#include "tools/quendral/audit_files.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/command_table.h"
#include "tools/quendral/commands.h"
#include "tools/quendral/tool_session.h"
#include "util/text/split.h"

namespace quendral::cli {
namespace {

namespace fs = std::filesystem;

// The options both repairs take: where they write (-o OUT, --in-place, or
// nowhere with --dry-run), how they report, which notes they take.
struct OutputOptions {
  std::vector<std::string> paths;  // files and folders
  std::string out;
  bool in_place = false;
  bool no_orig = false;
  bool dry_run = false;
  bool json = false;
  bool all_notes = false;
};

void AddOutputOptions(CLI::App& command, OutputOptions& o) {
  auto* out = command.add_option("-o,--output", o.out, "Write the repaired export to this file");
  auto* in_place =
      command.add_flag("--in-place", o.in_place,
                       "Rewrite each changed file itself, keeping the original as FILE.orig");
  out->excludes(in_place);
  command.add_flag("--no-orig", o.no_orig, "With --in-place, keep no FILE.orig")->needs(in_place);
  command.add_flag("--dry-run", o.dry_run, "Write nothing; report what would change");
  command.add_flag("--json", o.json, "Print the summary as JSON");
  command.add_flag("--all-notes", o.all_notes,
                   "Also forms, subforms, pages and other design notes");
}

// Whether the paths name more than one export file, or may.
bool SeveralFiles(const std::vector<std::string>& paths) {
  std::error_code error;
  return paths.size() > 1 || fs::is_directory(paths.front(), error);
}

dxl::OutputTarget TargetOf(const OutputOptions& o) {
  if (o.dry_run) {
    return {dxl::OutputMode::kDryRun, {}};
  }
  if (o.in_place) {
    return {dxl::OutputMode::kInPlace, {}, !o.no_orig};
  }
  if (SeveralFiles(o.paths)) {
    throw CommandError("folders and several files are repaired with --in-place or --dry-run");
  }
  if (o.out.empty()) {
    throw CommandError("say where the repaired export goes: -o OUT or --in-place");
  }
  return {dxl::OutputMode::kNewFile, fs::path(o.out)};
}

// A root read as DXL without its namespace is worth a word: the file may be
// something else that merely looks like an export.
void WarnOfBareRoot(const dxl::ExportFile& file, const Context& context) {
  if (file.root == dxl::RootKind::kDxlWithoutNamespace) {
    *context.err << "quendral: warning: " << report::OneLineText(file.path.string())
                 << ": the root element has no namespace; read as DXL\n";
  }
}

// Joins the paths as the summary names its source.
std::string SourceText(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) {
    text += (text.empty() ? "" : ", ") + path;
  }
  return text;
}

using RepairPass =
    std::function<bool(std::istream&, const dxl::RepairOutput&, dxl::RepairCounts*, dxl::Refusal*)>;

// What a repair did over all its files.
struct RepairRun {
  dxl::RepairCounts counts;
  std::int64_t files = 0;          // taken
  std::int64_t changed_files = 0;  // of them, changed or (dry run) to be
  std::string changed_lines;       // a line per changed file, for the text summary
  std::string refused;             // the files not taken, and why
};

// Runs `repair` over one file into `target`, adding what it did to `run`.
void RepairFile(const dxl::ExportFile& file, const dxl::OutputTarget& target,
                const RepairPass& repair, bool several, RepairRun* run) {
  dxl::RepairCounts counts;
  dxl::Refusal refusal;
  // An in-place pass that changes nothing is given up, so that the file,
  // its time and its folder stay as they are and no FILE.orig is kept.
  bool unchanged = false;
  const auto rewrite = [&](const dxl::OutputTarget& to) {
    counts = {};
    return dxl::RewriteExportFile(
        file.path, to,
        [&](std::istream& in, std::ostream* out, dxl::Refusal* refused) {
          if (!repair(in, dxl::RepairOutput{out, nullptr}, &counts, refused)) {
            return false;
          }
          unchanged = to.mode == dxl::OutputMode::kInPlace && counts.changes == 0;
          return !unchanged;
        },
        &refusal);
  };
  // A file repaired before still has its FILE.orig, which a rewrite never
  // replaces; only one with more to change is refused for it.
  std::error_code error;
  const bool repaired_before = target.mode == dxl::OutputMode::kInPlace && target.keep_original &&
                               fs::exists(dxl::OriginalCopyOf(file.path), error);
  bool done = repaired_before && rewrite({dxl::OutputMode::kDryRun, {}}) && counts.changes == 0;
  unchanged = done;
  if (!done) {
    done = rewrite(target);
  }
  const std::string name = file.path.string();
  if (!done && !unchanged) {
    run->refused += (run->refused.empty() ? "" : "; ") + name + ": " + refusal.Text();
    return;
  }
  ++run->files;
  if (counts.changes > 0) {
    ++run->changed_files;
    run->changed_lines += report::OneLineText(name) + ": " + std::to_string(counts.changes) +
                          (counts.changes == 1 ? " change\n" : " changes\n");
  }
  run->counts.notes += counts.notes;
  run->counts.changed_notes += counts.changed_notes;
  run->counts.changes += counts.changes;
  for (report::DocumentProblem& problem : counts.failures) {
    if (several) {
      problem.reason = name + ": " + problem.reason;
    }
    run->counts.failures.push_back(std::move(problem));
  }
}

// Runs one repair over the files and folders of `o` and prints its summary;
// the exit code follows the summary, or says some input was refused.
int RunRepair(const OutputOptions& o, const RepairPass& repair, const Context& context) {
  const dxl::OutputTarget target = TargetOf(o);
  const dxl::ExportFileList list = dxl::ListExportFiles(o.paths);
  const bool several = SeveralFiles(o.paths);
  RepairRun run;
  for (const std::string& problem : list.unreadable) {
    run.refused += (run.refused.empty() ? "" : "; ") + problem;
  }
  for (const dxl::ExportFile& file : list.files) {
    WarnOfBareRoot(file, context);
    RepairFile(file, target, repair, several, &run);
  }
  const dxl::RepairCounts& counts = run.counts;
  report::RunSummary summary;
  summary.source_key = "file";
  summary.source = SourceText(o.paths);
  summary.documents = summary.selected = counts.notes;
  summary.changed = counts.changed_notes;
  summary.unchanged = counts.notes - counts.changed_notes;
  summary.dry_run = o.dry_run;
  for (const report::DocumentProblem& problem : counts.failures) {
    summary.AddFailure(problem.unid, problem.reason);
  }
  if (o.json) {
    nlohmann::json json = report::SummaryJson(summary);
    json["changes"] = counts.changes;
    json["files"] = run.files;
    json["changed_files"] = run.changed_files;
    json["skipped"] = list.skipped;
    *context.out << report::JsonText(json) << "\n";
  } else {
    *context.out << (several ? run.changed_lines : "") << report::SummaryText(summary)
                 << "files: " << run.files << " taken, " << run.changed_files
                 << (o.dry_run ? " would be changed, " : " changed, ") << list.skipped
                 << " skipped\n";
  }
  if (!run.refused.empty()) {
    throw CommandError(
        run.refused + (several ? "; those files were left as they were" : "; nothing was written"));
  }
  return report::ExitCode(summary);
}

// The replica IDs of the databases in the data directory, and the directory
// whose settings file formulas read. Without one given, a data directory
// that does not exist has none.
void AddDataDirectory(const Context& context, dxl::AuditOptions* options) {
  ToolSession session;
  std::vector<platform::store::DatabaseListing> listings;
  std::error_code error;
  const fs::path directory = session.ServerDirectory("");
  if (context.data_directory.empty() && !fs::is_directory(directory, error)) {
    return;
  }
  options->data_directory = directory;
  std::set<std::string>* replicas = &options->known_replicas;
  CheckStatus(platform::store::ListDatabases(directory, &listings), "cannot list databases");
  for (const platform::store::DatabaseListing& listing : listings) {
    replicas->insert(FormatReplicaIdText(listing.replica_id, false));
  }
}

// One replica ID a line; blank lines and lines starting with "#" are skipped.
void AddKnownReplicas(const std::string& file, std::set<std::string>* replicas) {
  std::ifstream in(file);
  if (!in) {
    throw CommandError("cannot read " + file);
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::vector<std::string> words;
    util::SplitDelimited(line, " ", &words, false, true);
    if (words.empty() || words.front().empty() || words.front()[0] == '#') {
      continue;
    }
    replicas->insert(FormatReplicaIdText(database_json::ReplicaIdFromText(words.front()), false));
  }
}

struct AuditOptions {
  std::vector<std::string> files;
  std::string user, known_replicas;
  bool json = false, all_notes = false, full = false;
  unsigned jobs = report::DefaultJobs();
  AuditFileOptions report_files;
};

int AuditExports(const AuditOptions& o, const CLI::App& command, const Context& context) {
  report::AuditRun run = DescribeAuditRun(command, "dxl audit", "file", o.user);
  AuditFiles report_files(o.report_files);
  dxl::AuditOptions options;
  options.all_notes = o.all_notes;
  if (!o.user.empty()) {
    options.user = o.user;
  }
  AddDataDirectory(context, &options);
  if (!o.known_replicas.empty()) {
    AddKnownReplicas(o.known_replicas, &options.known_replicas);
  }
  const dxl::ExportFileList list = dxl::ListExportFiles(o.files);
  std::vector<std::filesystem::path> paths;
  for (const dxl::ExportFile& file : list.files) {
    WarnOfBareRoot(file, context);
    paths.push_back(file.path);
  }
  std::unique_ptr<report::AuditSink> sink;
  if (o.json) {
    sink = std::make_unique<report::JsonAuditSink>(*context.out);
  } else {
    sink = std::make_unique<report::TextAuditSink>(*context.out, ReportWidth(context, o.full));
  }
  run.skipped = list.skipped;
  report::AuditSink& sinks = report_files.With(*sink);
  sinks.BeginRun(run);
  std::string refused = dxl::AuditExportFiles(paths, options, o.jobs, sinks);
  sinks.EndRun();
  report_files.Close();
  for (const std::string& problem : list.unreadable) {
    refused += (refused.empty() ? "" : "; ") + problem;
  }
  if (!refused.empty()) {
    throw CommandError(refused);
  }
  return report::kExitDone;
}

void AddAudit(CLI::App& dxl, CommandTable& table) {
  auto o = std::make_shared<AuditOptions>();
  auto* command = table.Add(dxl, {.name = "audit",
                                  .description = "Report hidden paragraphs and links of exports",
                                  .run = [o](Prepared& prepared) {
                                    return AuditExports(*o, prepared.command, prepared.context);
                                  }});
  command->add_option("PATH", o->files, "DXL export files and folders of them")->required();
  command->add_option("--jobs", o->jobs, "Files audited at once (default: one a processor)")
      ->check(CLI::PositiveNumber);
  command->add_flag("--json", o->json, "Print the report as JSON");
  command->add_flag("--full", o->full, "Lines not cut to the terminal's width");
  command->add_option("--user", o->user, "Evaluate each enabled formula for this user");
  command->add_flag("--all-notes", o->all_notes,
                    "Also forms, subforms, pages and other design notes");
  command->add_option("--known-replicas", o->known_replicas,
                      "File of replica IDs, one a line, of databases that exist elsewhere");
  AddAuditFileOptions(*command, o->report_files);
}

void AddFixHideWhen(CLI::App& dxl, CommandTable& table) {
  struct Options : OutputOptions {
    bool actions = false;
  };
  auto o = std::make_shared<Options>();
  auto* command = table.Add(
      dxl, {.name = "fix-hidewhen",
            .description = "Neutralise every enabled hide-when formula of an export's documents",
            .run = [o](Prepared& prepared) {
              return RunRepair(
                  *o,
                  [&o](std::istream& in, const dxl::RepairOutput& output, dxl::RepairCounts* counts,
                       dxl::Refusal* refusal) {
                    return dxl::FixHideWhenInExport(in, output, {o->all_notes, o->actions}, counts,
                                                    refusal);
                  },
                  prepared.context);
            }});
  command->add_option("PATH", o->paths, "DXL export files and folders of them")->required();
  AddOutputOptions(*command, *o);
  command->add_flag("--actions", o->actions,
                    "Also the formulas that hide actions (buttons), not only paragraphs");
}

// TARGET: a replica ID, or a database of the data directory.
std::string TargetReplica(const std::string& target) {
  if (const std::optional<TIMEDATE> replica = ParseReplicaIdTextStrictly(target)) {
    return FormatReplicaIdText(*replica, false);
  }
  ToolSession session;
  TIMEDATE id{};
  CheckStatus(session.OpenDatabase(target, "").GetReplicaID(&id),
              "cannot read the replica ID of " + target);
  return FormatReplicaIdText(id, false);
}

struct RelinkOptions : OutputOptions {
  std::string old_ids, target, server;
};

// The options of a relink of exports, checked and made ready for the repair.
std::shared_ptr<dxl::RelinkOptions> ExportRelinkOptions(const RelinkOptions& o) {
  auto options = std::make_shared<dxl::RelinkOptions>();
  options->all_notes = o.all_notes;
  std::vector<std::string> pieces;
  util::SplitDelimited(o.old_ids + ";", ";", &pieces, false, true);
  for (const std::string& piece : pieces) {
    if (!piece.empty()) {
      options->old_replicas.insert(
          FormatReplicaIdText(database_json::ReplicaIdFromText(piece), false));
    }
  }
  if (options->old_replicas.empty()) {
    throw CommandError("no old replica IDs given");
  }
  options->target = TargetReplica(o.target);
  if (!o.server.empty()) {
    if (std::string problem; !dxl::IsXmlText(o.server, &problem)) {
      throw CommandError("the server name holds " + problem +
                         ", which XML cannot carry; nothing was written");
    }
    options->target_server = o.server;
  }
  return options;
}

void AddRelink(CLI::App& dxl, CommandTable& table) {
  auto o = std::make_shared<RelinkOptions>();
  Route route;
  route.name = "relink";
  route.description = "Point an export's links from old replicas at a target";
  route.check = [o] {
    if (o->paths.size() < 3) {
      throw CLI::ValidationError("give PATH... OLD_REPLICA_IDS TARGET");
    }
    o->target = o->paths.back();
    o->paths.pop_back();
    o->old_ids = o->paths.back();
    o->paths.pop_back();
  };
  route.run = [o](Prepared& prepared) {
    const auto options = ExportRelinkOptions(*o);
    return RunRepair(
        *o,
        [options](std::istream& in, const dxl::RepairOutput& output, dxl::RepairCounts* counts,
                  dxl::Refusal* refusal) {
          return dxl::RelinkExport(in, output, *options, counts, refusal);
        },
        prepared.context);
  };
  auto* command = table.Add(dxl, std::move(route));
  // One list, split from its end: the parser gives a list of paths all that
  // follows it.
  command
      ->add_option("PATH... OLD_REPLICA_IDS TARGET", o->paths,
                   "DXL export files and folders of them; the old replica IDs "
                   "(XXXXXXXX:XXXXXXXX or 16 hex digits) separated by ;; the target replica "
                   "ID or database path")
      ->type_name("")
      ->required();
  command->add_option("--target-server", o->server, "Also set the links' server hint");
  AddOutputOptions(*command, *o);
}

}  // namespace

void AddDxlCommands(CLI::App& app, CommandTable& table) {
  auto* dxl = app.add_subcommand("dxl", "Audit and repair exported documents (DXL files)");
  dxl->require_subcommand(1);
  AddAudit(*dxl, table);
  AddFixHideWhen(*dxl, table);
  AddRelink(*dxl, table);
}

}  // namespace quendral::cli
