// fix-hidewhen and relink: the library's two repairs.
#include <memory>
#include <ostream>

#include "module/repairs.h"
#include "notes/status_text.h"
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

struct FixOptions {
  std::string server, database, unid;
};

void AddFixHideWhen(CLI::App& app, Context& context, Action& action) {
  auto* command = app.add_subcommand(
      "fix-hidewhen", "Make every hidden paragraph of a document's rich text visible again");
  auto o = std::make_shared<FixOptions>();
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_option("DATABASE", o->database, "Database path or replica ID")->required();
  command->add_option("UNID", o->unid, "Universal ID of the document")->required();
  command->callback([o, &context, &action] {
    action = [o, &context] {
      return Report(RunFixRichTextFields(o->server.c_str(), o->database.c_str(), o->unid.c_str()),
                    "hide-when formulas neutralised", *context.out);
    };
  });
}

struct RelinkOptions {
  std::string server, database, unid, old_ids, target;
};

void AddRelink(CLI::App& app, Context& context, Action& action) {
  auto* command = app.add_subcommand(
      "relink", "Point a document's links from old replicas at a target database");
  auto o = std::make_shared<RelinkOptions>();
  command->add_option("--server", o->server, "Server name used for both databases");
  command->add_option("DATABASE", o->database, "Database path or replica ID")->required();
  command->add_option("UNID", o->unid, "Universal ID of the document")->required();
  command
      ->add_option("OLD_REPLICA_IDS", o->old_ids,
                   "Old replica IDs as XXXXXXXX:XXXXXXXX, separated by ;")
      ->required();
  command->add_option("TARGET_DATABASE", o->target, "Target database path or replica ID")
      ->required();
  command->callback([o, &context, &action] {
    action = [o, &context] {
      return Report(RunChangeServerInLinks(o->server.c_str(), o->database.c_str(), o->unid.c_str(),
                                           o->old_ids.c_str(), o->target.c_str()),
                    "links retargeted", *context.out);
    };
  });
}

}  // namespace

void AddRepairCommands(CLI::App& app, Context& context, Action& action) {
  AddFixHideWhen(app, context, action);
  AddRelink(app, context, action);
}

}  // namespace quendral::cli
