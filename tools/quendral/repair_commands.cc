// fix-hidewhen and relink: the library's two repairs, on one document or
// with --all on every document of a database, both through the batch run.
#include <memory>

#include "batch/document_repair.h"
#include "tools/quendral/batch_command.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/commands.h"

namespace quendral::cli {
namespace {

// Exactly one of UNID and --all; a selection only with --all.
void CheckDocumentChoice(const BatchOptions& options) {
  if (options.all == !options.unid.empty()) {
    throw CLI::ValidationError("give either a document's UNID or --all");
  }
  if (!options.all && !options.select.empty()) {
    throw CLI::ValidationError("--select goes with --all");
  }
}

void AddDocumentChoice(CLI::App* command, BatchOptions* options) {
  command->add_option("DATABASE", options->database, "Database path or replica ID")->required();
  command->add_option("UNID", options->unid, "Universal ID of the document (not with --all)");
}

void AddFixHideWhen(CLI::App& app, CommandTable& table) {
  auto o = std::make_shared<BatchOptions>();
  Route route = BatchRoute(
      "fix-hidewhen", "Make every hidden paragraph of a document's rich text visible again", o,
      [](Prepared&) { return std::make_unique<batch::HideWhenRepair>(); }, false);
  route.check = [o] { CheckDocumentChoice(*o); };
  auto* command = table.Add(app, std::move(route));
  command->add_option("--server", o->server, "Server name (default: this machine)");
  AddDocumentChoice(command, o.get());
  command->add_flag("--all", o->all, "Every document of the database");
  AddBatchFlags(command, o.get(), true);
}

struct RelinkOptions : BatchOptions {
  std::string old_ids, target;
};

void AddRelink(CLI::App& app, CommandTable& table) {
  auto o = std::make_shared<RelinkOptions>();
  Route route = BatchRoute(
      "relink", "Point a document's links from old replicas at a target database", o,
      [o](Prepared& prepared) {
        TIMEDATE target_replica_id{};
        CheckStatus(
            prepared.session->OpenDatabase(o->target, o->server).GetReplicaID(&target_replica_id),
            "cannot read the replica ID of " + o->target);
        return std::make_unique<batch::RelinkRepair>(o->old_ids, target_replica_id);
      },
      false);
  route.check = [o] {
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
  };
  auto* command = table.Add(app, std::move(route));
  command->add_option("--server", o->server, "Server name used for both databases");
  AddDocumentChoice(command, o.get());
  command->add_option("OLD_REPLICA_IDS", o->old_ids,
                      "Old replica IDs as XXXXXXXX:XXXXXXXX, separated by ;");
  command->add_option("TARGET_DATABASE", o->target, "Target database path or replica ID");
  command->add_flag("--all", o->all, "Every document of the database");
  AddBatchFlags(command, o.get(), true);
}

}  // namespace

void AddRepairCommands(CLI::App& app, CommandTable& table) {
  AddFixHideWhen(app, table);
  AddRelink(app, table);
}

}  // namespace quendral::cli
