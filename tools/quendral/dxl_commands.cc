// dxl audit, dxl fix-hidewhen, dxl relink: exports (DXL) audited and
// repaired as files, without a database.
#include <fstream>
#include <memory>
#include <ostream>

#include "dxl/export_audit.h"
#include "dxl/export_audit_files.h"
#include "dxl/export_file.h"
#include "dxl/export_repairs.h"
#include "dxl/link_table.h"
#include "dxl/text_encoding.h"
#include "notes/replica_id.h"
#include "platform/notes/database_file.h"
#include "report/audit_json_sink.h"
#include "report/audit_text_sink.h"
#include "report/parallel_audit.h"
#include "report/run_summary.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/commands.h"
#include "tools/quendral/replica_text.h"
#include "tools/quendral/tool_session.h"
#include "util/split.h"

namespace quendral::cli {
namespace {

namespace fs = std::filesystem;

// The options both repairs take: where they write (-o OUT, --in-place, or
// nowhere with --dry-run), how they report, which notes they take.
struct OutputOptions {
  std::string out;
  bool in_place = false;
  bool dry_run = false;
  bool json = false;
  bool all_notes = false;
};

void AddOutputOptions(CLI::App& command, OutputOptions& o) {
  auto* out = command.add_option("-o,--output", o.out, "Write the repaired export to this file");
  auto* in_place = command.add_flag("--in-place", o.in_place,
                                    "Rewrite FILE itself, keeping the original as FILE.orig");
  out->excludes(in_place);
  command.add_flag("--dry-run", o.dry_run, "Write nothing; report what would change");
  command.add_flag("--json", o.json, "Print the summary as JSON");
  command.add_flag("--all-notes", o.all_notes,
                   "Also forms, subforms, pages and other design notes");
}

dxl::OutputTarget TargetOf(const OutputOptions& o) {
  if (o.dry_run) {
    return {dxl::OutputMode::kDryRun, {}};
  }
  if (o.in_place) {
    return {dxl::OutputMode::kInPlace, {}};
  }
  if (o.out.empty()) {
    throw CommandError("say where the repaired export goes: -o OUT or --in-place");
  }
  return {dxl::OutputMode::kNewFile, fs::path(o.out)};
}

// Runs one repair over `file` and prints its summary; the exit code follows
// the summary, or says the input was refused.
int RunRepair(const std::string& file, const OutputOptions& o,
              const std::function<bool(std::istream&, const dxl::RepairOutput&, dxl::RepairCounts*,
                                       dxl::Refusal*)>& repair,
              const Context& context) {
  const dxl::OutputTarget target = TargetOf(o);
  dxl::RepairCounts counts;
  dxl::Refusal refusal;
  const bool done = dxl::RewriteExportFile(
      file, target,
      [&](std::istream& in, std::ostream* out, dxl::Refusal* refused) {
        return repair(in, dxl::RepairOutput{out, nullptr}, &counts, refused);
      },
      &refusal);
  if (!done) {
    throw CommandError(file + ": " + refusal.Text() + "; nothing was written");
  }
  report::RunSummary summary;
  summary.source_key = "file";
  summary.source = file;
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
    *context.out << json.dump(2) << "\n";
  } else {
    *context.out << report::SummaryText(summary);
  }
  return report::ExitCode(summary);
}

// The replica IDs of the databases in the data directory. Without one given,
// a data directory that does not exist has none.
void AddDataDirectoryReplicas(const Context& context, std::set<std::string>* replicas) {
  ToolSession session;
  std::vector<platform::store::DatabaseListing> listings;
  std::error_code error;
  const fs::path directory = session.ServerDirectory("");
  if (context.data_directory.empty() && !fs::is_directory(directory, error)) {
    return;
  }
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
    replicas->insert(FormatReplicaIdText(ReplicaIdFromText(words.front()), false));
  }
}

void AddAudit(CLI::App& dxl, Context& context, Action& action) {
  auto* command = dxl.add_subcommand("audit", "Report hidden paragraphs and links of exports");
  struct Options {
    std::vector<std::string> files;
    std::string user, known_replicas;
    bool json = false, all_notes = false;
    unsigned jobs = report::DefaultJobs();
  };
  auto o = std::make_shared<Options>();
  command->add_option("FILE", o->files, "DXL export files")->required();
  command->add_option("--jobs", o->jobs, "Files audited at once (default: one a processor)")
      ->check(CLI::PositiveNumber);
  command->add_flag("--json", o->json, "Print the report as JSON");
  command->add_option("--user", o->user, "Evaluate each enabled formula for this user");
  command->add_flag("--all-notes", o->all_notes,
                    "Also forms, subforms, pages and other design notes");
  command->add_option("--known-replicas", o->known_replicas,
                      "File of replica IDs, one a line, of databases that exist elsewhere");
  command->callback([o, &context, &action] {
    action = [o, &context] {
      dxl::AuditOptions options;
      options.all_notes = o->all_notes;
      if (!o->user.empty()) {
        options.user = o->user;
      }
      AddDataDirectoryReplicas(context, &options.known_replicas);
      if (!o->known_replicas.empty()) {
        AddKnownReplicas(o->known_replicas, &options.known_replicas);
      }
      std::unique_ptr<report::AuditSink> sink;
      if (o->json) {
        sink = std::make_unique<report::JsonAuditSink>(*context.out);
      } else {
        sink = std::make_unique<report::TextAuditSink>(*context.out);
      }
      sink->BeginRun({"dxl audit", {}, {}, {}, "file"});
      const std::string refused = dxl::AuditExportFiles(o->files, options, o->jobs, *sink);
      sink->EndRun();
      if (!refused.empty()) {
        throw CommandError(refused);
      }
      return report::kExitDone;
    };
  });
}

void AddFixHideWhen(CLI::App& dxl, Context& context, Action& action) {
  auto* command = dxl.add_subcommand(
      "fix-hidewhen", "Neutralise every enabled hide-when formula of an export's documents");
  struct Options : OutputOptions {
    std::string file;
  };
  auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "DXL export file")->required();
  AddOutputOptions(*command, *o);
  command->callback([o, &context, &action] {
    action = [o, &context] {
      return RunRepair(
          o->file, *o,
          [&o](std::istream& in, const dxl::RepairOutput& output, dxl::RepairCounts* counts,
               dxl::Refusal* refusal) {
            return dxl::FixHideWhenInExport(in, output, o->all_notes, counts, refusal);
          },
          context);
    };
  });
}

// TARGET: a replica ID, or a database of the data directory.
std::string TargetReplica(const std::string& target) {
  if (const auto replica = dxl::NormaliseReplicaId(target); replica && target.size() >= 16) {
    return *replica;
  }
  ToolSession session;
  TIMEDATE id{};
  CheckStatus(session.OpenDatabase(target, "").GetReplicaID(&id),
              "cannot read the replica ID of " + target);
  return FormatReplicaIdText(id, false);
}

void AddRelink(CLI::App& dxl, Context& context, Action& action) {
  auto* command =
      dxl.add_subcommand("relink", "Point an export's links from old replicas at a target");
  struct Options : OutputOptions {
    std::string file, old_ids, target, server;
  };
  auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "DXL export file")->required();
  command
      ->add_option("OLD_REPLICA_IDS", o->old_ids,
                   "Old replica IDs (XXXXXXXX:XXXXXXXX or 16 hex digits), separated by ;")
      ->required();
  command->add_option("TARGET", o->target, "Target replica ID or database path")->required();
  command->add_option("--target-server", o->server, "Also set the links' server hint");
  AddOutputOptions(*command, *o);
  command->callback([o, &context, &action] {
    action = [o, &context] {
      auto options = std::make_shared<dxl::RelinkOptions>();
      options->all_notes = o->all_notes;
      std::vector<std::string> pieces;
      util::SplitDelimited(o->old_ids + ";", ";", &pieces, false, true);
      for (const std::string& piece : pieces) {
        if (!piece.empty()) {
          options->old_replicas.insert(FormatReplicaIdText(ReplicaIdFromText(piece), false));
        }
      }
      if (options->old_replicas.empty()) {
        throw CommandError("no old replica IDs given");
      }
      options->target = TargetReplica(o->target);
      if (!o->server.empty()) {
        if (!dxl::IsValidUtf8(o->server)) {
          throw CommandError("the server name is not UTF-8");
        }
        options->target_server = o->server;
      }
      return RunRepair(
          o->file, *o,
          [options](std::istream& in, const dxl::RepairOutput& output, dxl::RepairCounts* counts,
                    dxl::Refusal* refusal) {
            return dxl::RelinkExport(in, output, *options, counts, refusal);
          },
          context);
    };
  });
}

}  // namespace

void AddDxlCommands(CLI::App& app, Context& context, Action& action) {
  auto* dxl = app.add_subcommand("dxl", "Audit and repair exported documents (DXL files)");
  dxl->require_subcommand(1);
  AddAudit(*dxl, context, action);
  AddFixHideWhen(*dxl, context, action);
  AddRelink(*dxl, context, action);
}

}  // namespace quendral::cli
