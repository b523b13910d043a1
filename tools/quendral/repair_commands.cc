// fix-hidewhen and relink: the library's two repairs, on one document as the
// exported functions run them, or with --all on every document of a
// database.
#include <memory>
#include <ostream>

#include "batch/document_repair.h"
#include "module/repairs.h"
#include "notes/status_text.h"
#include "tools/quendral/batch_command.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/commands.h"

namespace quendral::cli {
namespace {

// One line on what happened; the exit code is the repair's own result.
int Report(const FrameOutcome& outcome, const char* repaired, std::ostream& out) {
  if (outcome.result != kFrameSucceeded) {
    out << "failed: " << StatusText(outcome.status)
        << (outcome.saved ? " (changes made before the error were saved)" : "") << "\n";
  } else if (outcome.saved) {
    out << repaired << " and saved\n";
  } else {
    out << "nothing to change\n";
  }
  return outcome.result;
}

// Exactly one of UNID and --all; the whole-database options only with --all.
void CheckDocumentChoice(const BatchOptions& options) {
  if (options.all == !options.unid.empty()) {
    throw CLI::ValidationError("give either a document's UNID or --all");
  }
  if (!options.all && (options.dry_run || !options.select.empty())) {
    throw CLI::ValidationError("--select and --dry-run go with --all");
  }
}

CLI::App* AddDocumentChoice(CLI::App* command, BatchOptions* options) {
  command->add_flag("--all", options->all, "Every document of the database");
  AddBatchFlags(command, options, true);
  return command;
}

void AddFixHideWhen(CLI::App& app, Context& context, Action& action) {
  auto* command = app.add_subcommand(
      "fix-hidewhen", "Make every hidden paragraph of a document's rich text visible again");
  auto o = std::make_shared<BatchOptions>();
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_option("DATABASE", o->database, "Database path or replica ID")->required();
  command->add_option("UNID", o->unid, "Universal ID of the document (not with --all)");
  AddDocumentChoice(command, o.get());
  command->callback([o, &context, &action] {
    CheckDocumentChoice(*o);
    action = [o, &context] {
      if (!o->all) {
        return Report(RunFixRichTextFields(o->server.c_str(), o->database.c_str(), o->unid.c_str()),
                      "hide-when formulas neutralised", *context.out);
      }
      const batch::Selection selection = CompileSelection(o->select);
      ToolSession session;
      LNDatabase database = session.OpenDatabase(o->database, o->server);
      batch::HideWhenRepair repair;
      return RunBatch(*o, selection, database, repair, false, context);
    };
  });
}

struct RelinkOptions : BatchOptions {
  std::string old_ids, target;
};

void AddRelink(CLI::App& app, Context& context, Action& action) {
  auto* command = app.add_subcommand(
      "relink", "Point a document's links from old replicas at a target database");
  auto o = std::make_shared<RelinkOptions>();
  command->add_option("--server", o->server, "Server name used for both databases");
  command->add_option("DATABASE", o->database, "Database path or replica ID")->required();
  command->add_option("UNID", o->unid, "Universal ID of the document (not with --all)");
  command->add_option("OLD_REPLICA_IDS", o->old_ids,
                      "Old replica IDs as XXXXXXXX:XXXXXXXX, separated by ;");
  command->add_option("TARGET_DATABASE", o->target, "Target database path or replica ID");
  AddDocumentChoice(command, o.get());
  command->callback([o, &context, &action] {
    // Without a UNID the positional values after DATABASE move up by one.
    if (o->all && o->target.empty()) {
      o->target = o->old_ids;
      o->old_ids = o->unid;
      o->unid.clear();
    }
    if (o->old_ids.empty() || o->target.empty()) {
      throw CLI::ValidationError("OLD_REPLICA_IDS and TARGET_DATABASE are required");
    }
    CheckDocumentChoice(*o);
    action = [o, &context] {
      if (!o->all) {
        return Report(
            RunChangeServerInLinks(o->server.c_str(), o->database.c_str(), o->unid.c_str(),
                                   o->old_ids.c_str(), o->target.c_str()),
            "links retargeted", *context.out);
      }
      const batch::Selection selection = CompileSelection(o->select);
      ToolSession session;
      LNDatabase database = session.OpenDatabase(o->database, o->server);
      TIMEDATE target_replica_id{};
      CheckStatus(session.OpenDatabase(o->target, o->server).GetReplicaID(&target_replica_id),
                  "cannot read the replica ID of " + o->target);
      batch::RelinkRepair repair(o->old_ids, target_replica_id);
      return RunBatch(*o, selection, database, repair, false, context);
    };
  });
}

}  // namespace

void AddRepairCommands(CLI::App& app, Context& context, Action& action) {
  AddFixHideWhen(app, context, action);
  AddRelink(app, context, action);
}

}  // namespace quendral::cli
