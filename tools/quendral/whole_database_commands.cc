// audit and restore-links: finding out what is broken in whole databases,
// and taking link retargeting back.
#include <algorithm>
#include <memory>
#include <mutex>
#include <ostream>

#include "batch/audit.h"
#include "platform/notes/api/database_file.h"
#include "report/audit_json_sink.h"
#include "report/audit_text_sink.h"
#include "report/parallel_audit.h"
#include "report/progress.h"
#include "report/run_summary.h"
#include "tools/quendral/audit_files.h"
#include "tools/quendral/batch_command.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/commands.h"

namespace quendral::cli {
namespace {

struct AuditOptions {
  std::string server, select, user;
  std::vector<std::string> databases;
  bool all_databases = false, json = false, quiet = false, full = false;
  unsigned jobs = report::DefaultJobs();
  AuditFileOptions files;
};

// The paths of every database on the server, relative to its directory.
std::vector<std::string> AllDatabases(const ToolSession& session, const std::string& server) {
  std::vector<platform::store::DatabaseListing> listings;
  CheckStatus(platform::store::ListDatabases(session.ServerDirectory(server), &listings),
              "cannot list the databases");
  std::vector<std::string> paths;
  paths.reserve(listings.size());
  for (const auto& listing : listings) {
    paths.push_back(listing.path.generic_string());
  }
  return paths;
}

// What each worker of an audit opens: its own session (every one started
// before any worker runs, so that the session the formulas ask for the user
// stays the same all along), and where the links it meets lead.
class AuditWorkers {
 public:
  AuditWorkers(unsigned jobs, const AuditOptions& options) {
    for (unsigned worker = 0; worker < jobs; ++worker) {
      sessions_.push_back(std::make_unique<ToolSession>(options.user));
      targets_.push_back(
          std::make_unique<batch::LinkTargets>(sessions_.back()->notes_session(), options.server));
    }
  }

  ToolSession& session(unsigned worker) { return *sessions_[worker]; }
  batch::LinkTargets& targets(unsigned worker) { return *targets_[worker]; }

 private:
  std::vector<std::unique_ptr<ToolSession>> sessions_;
  std::vector<std::unique_ptr<batch::LinkTargets>> targets_;
};

// The documents done of the databases begun, over every worker.
class AuditProgress {
 public:
  AuditProgress(std::ostream& err, bool shown) : display_(err, shown) {}

  void Update(std::int64_t done, std::int64_t total) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (done == 1) {
      total_ += total;
    }
    display_.Update(++done_, total_);
  }
  void Finish() { display_.Finish(); }

 private:
  std::mutex mutex_;
  report::ProgressDisplay display_;
  std::int64_t done_ = 0, total_ = 0;
};

// Audits every database, each on one worker, into `sink`. A database that
// cannot be opened is left out and named in the error that ends the run,
// once every other database is reported.
int Audit(const AuditOptions& options, const CLI::App& command, const Context& context) {
  const report::AuditRun run = DescribeAuditRun(command, "audit", "path", options.user);
  AuditFiles files(options.files);
  const batch::Selection selection = CompileSelection(options.select);
  std::vector<std::string> paths;
  {
    ToolSession session(options.user);
    paths = options.all_databases ? AllDatabases(session, options.server) : options.databases;
  }
  const auto jobs = static_cast<unsigned>(
      std::min<std::size_t>(options.jobs, std::max<std::size_t>(paths.size(), 1)));
  AuditWorkers workers(jobs, options);
  AuditProgress progress(*context.err, !options.quiet && report::StandardErrorIsTerminal());
  batch::AuditOptions audit_options;
  audit_options.selection = &selection;
  audit_options.on_document = [&progress](std::int64_t done, std::int64_t total) {
    progress.Update(done, total);
  };
  std::unique_ptr<report::AuditSink> sink;
  if (options.json) {
    sink = std::make_unique<report::JsonAuditSink>(*context.out);
  } else {
    sink =
        std::make_unique<report::TextAuditSink>(*context.out, ReportWidth(context, options.full));
  }
  std::vector<std::string> failures(paths.size());
  report::AuditSink& sinks = files.With(*sink);
  sinks.BeginRun(run);
  report::AuditInOrder(
      paths.size(), jobs,
      [&](std::size_t index, unsigned worker, report::AuditSink& source_sink) {
        try {
          LNDatabase database = workers.session(worker).OpenDatabase(paths[index], options.server);
          batch::AuditDatabase(database, paths[index], workers.targets(worker), audit_options,
                               source_sink);
        } catch (const CommandError& error) {
          failures[index] = error.what();
          source_sink.FailedSource(paths[index], failures[index]);
        }
      },
      sinks);
  progress.Finish();
  sinks.EndRun();
  files.Close();
  std::string failed;
  for (const std::string& failure : failures) {
    if (!failure.empty()) {
      failed += (failed.empty() ? "" : "; ") + failure;
    }
  }
  if (!failed.empty()) {
    throw CommandError(failed);
  }
  return report::kExitDone;
}

void AddAudit(CLI::App& app, CommandTable& table) {
  auto o = std::make_shared<AuditOptions>();
  Route route;
  route.name = "audit";
  route.description = "Report hidden paragraphs, broken links and link backups of whole databases";
  // Each worker starts its own session and opens its own databases.
  route.check = [o] {
    if (o->databases.empty() && !o->all_databases) {
      throw CLI::ValidationError("give the databases or --all-databases");
    }
  };
  route.run = [o](Prepared& prepared) { return Audit(*o, prepared.command, prepared.context); };
  auto* command = table.Add(app, std::move(route));
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_option("--select", o->select,
                      "Selection formula: only documents for which it is true");
  command->add_option("--user", o->user, "User name the hide-when formulas see");
  command->add_flag("--json", o->json, "Print the findings as JSON");
  command->add_flag("--quiet", o->quiet, "No progress display");
  command->add_flag("--full", o->full, "Lines not cut to the terminal's width");
  AddAuditFileOptions(*command, o->files);
  command->add_option("--jobs", o->jobs, "Databases audited at once (default: one a processor)")
      ->check(CLI::PositiveNumber);
  auto* all =
      command->add_flag("--all-databases", o->all_databases, "Every database of the server");
  command->add_option("DATABASE", o->databases, "Database paths or replica IDs")->excludes(all);
}

struct RestoreOptions : BatchOptions {
  std::string backup;
};

void AddRestoreLinks(CLI::App& app, CommandTable& table) {
  auto o = std::make_shared<RestoreOptions>();
  Route route = BatchRoute(
      "restore-links", "Put documents' link tables back from their backups", o,
      [o](Prepared&) { return std::make_unique<batch::LinkRestore>(o->backup); }, true);
  route.check = [o] {
    if (o->all == !o->unid.empty()) {
      throw CLI::ValidationError("give either a document's UNID or --all");
    }
  };
  auto* command = table.Add(app, std::move(route));
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_option("--backup", o->backup, "The backup item to restore (default: the newest)");
  command->add_option("DATABASE", o->database, "Database path or replica ID")->required();
  auto* all = command->add_flag("--all", o->all, "Every document of the database");
  command->add_option("UNID", o->unid, "Universal ID of the document")->excludes(all);
  AddBatchFlags(command, o.get(), false);
}

}  // namespace

void AddWholeDatabaseCommands(CLI::App& app, CommandTable& table) {
  AddAudit(app, table);
  AddRestoreLinks(app, table);
}

}  // namespace quendral::cli
