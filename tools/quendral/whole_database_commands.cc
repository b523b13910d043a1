// audit and restore-links: finding out what is broken in whole databases,
// and taking link retargeting back.
#include <memory>
#include <ostream>

#include "batch/audit.h"
#include "platform/notes/database_file.h"
#include "report/audit_report.h"
#include "report/json_text.h"
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
  AuditFileOptions files;
};

// The paths of every database on the server, relative to its directory.
std::vector<std::string> AllDatabases(const ToolSession& session, const std::string& server) {
  std::vector<platform::store::DatabaseListing> listings;
  CheckStatus(platform::store::ListDatabases(session.ServerDirectory(server), &listings),
              "cannot list the databases");
  std::vector<std::string> paths;
  for (const auto& listing : listings) {
    paths.push_back(listing.path.generic_string());
  }
  return paths;
}

int Audit(const AuditOptions& options, const CLI::App& command, const Context& context) {
  const report::AuditRun run = DescribeAuditRun(command, "audit", "path", options.user);
  AuditFiles files(options.files);
  const batch::Selection selection = CompileSelection(options.select);
  ToolSession session(options.user);
  batch::LinkTargets targets(session.notes_session(), options.server);
  batch::AuditOptions audit_options;
  audit_options.selection = &selection;
  report::ProgressDisplay progress(*context.err,
                                   !options.quiet && report::StandardErrorIsTerminal());
  audit_options.on_document = [&progress](std::int64_t done, std::int64_t total) {
    progress.Update(done, total);
  };
  report::AuditReport audit;
  const std::vector<std::string> paths =
      options.all_databases ? AllDatabases(session, options.server) : options.databases;
  for (const std::string& path : paths) {
    LNDatabase database = session.OpenDatabase(path, options.server);
    audit.databases.push_back(batch::AuditDatabase(database, path, targets, audit_options));
  }
  progress.Finish();
  if (options.json) {
    *context.out << report::JsonText(report::AuditJson(audit)) << "\n";
  } else {
    report::PrintAuditText(audit, *context.out, ReportWidth(context, options.full));
  }
  files.Write(run, audit, {});
  return report::kExitDone;
}

void AddAudit(CLI::App& app, Context& context, Action& action) {
  auto* command = app.add_subcommand(
      "audit", "Report hidden paragraphs, broken links and link backups of whole databases");
  auto o = std::make_shared<AuditOptions>();
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_option("--select", o->select,
                      "Selection formula: only documents for which it is true");
  command->add_option("--user", o->user, "User name the hide-when formulas see");
  command->add_flag("--json", o->json, "Print the findings as JSON");
  command->add_flag("--quiet", o->quiet, "No progress display");
  command->add_flag("--full", o->full, "Lines not cut to the terminal's width");
  AddAuditFileOptions(*command, o->files);
  auto* all =
      command->add_flag("--all-databases", o->all_databases, "Every database of the server");
  command->add_option("DATABASE", o->databases, "Database paths or replica IDs")->excludes(all);
  command->callback([o, command, &context, &action] {
    if (o->databases.empty() && !o->all_databases) {
      throw CLI::ValidationError("give the databases or --all-databases");
    }
    action = [o, command, &context] { return Audit(*o, *command, context); };
  });
}

struct RestoreOptions : BatchOptions {
  std::string backup;
};

void AddRestoreLinks(CLI::App& app, Context& context, Action& action) {
  auto* command =
      app.add_subcommand("restore-links", "Put documents' link tables back from their backups");
  auto o = std::make_shared<RestoreOptions>();
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_option("--backup", o->backup, "The backup item to restore (default: the newest)");
  command->add_option("DATABASE", o->database, "Database path or replica ID")->required();
  auto* all = command->add_flag("--all", o->all, "Every document of the database");
  command->add_option("UNID", o->unid, "Universal ID of the document")->excludes(all);
  AddBatchFlags(command, o.get(), false);
  command->callback([o, &context, &action] {
    if (o->all == !o->unid.empty()) {
      throw CLI::ValidationError("give either a document's UNID or --all");
    }
    action = [o, &context] {
      ToolSession session;
      LNDatabase database = session.OpenDatabase(o->database, o->server);
      batch::LinkRestore repair(o->backup);
      return RunBatch(*o, batch::Selection(), database, repair, true, context);
    };
  });
}

}  // namespace

void AddWholeDatabaseCommands(CLI::App& app, Context& context, Action& action) {
  AddAudit(app, context, action);
  AddRestoreLinks(app, context, action);
}

}  // namespace quendral::cli
