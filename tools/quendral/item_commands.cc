// item set and item get: one item of a document, assigned by a formula or
// read as text.
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <utility>

#include "notes/forgiving_items.h"
#include "notes/item_assignment.h"
#include "notes/status_text.h"
#include "report/json_text.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/command_table.h"
#include "tools/quendral/commands.h"

namespace quendral::cli {
namespace {

struct ItemOptions : Target {
  std::string name, type_word, formula;
  bool json = false;
};

CLI::App* AddDocumentArguments(CLI::App& parent, CommandTable& table, Route route, ItemOptions& o) {
  auto* command = table.Add(parent, std::move(route));
  command->add_option("DATABASE", o.database, "Database path or replica ID")->required();
  command->add_option("UNID", o.unid, "Universal ID of the document")->required();
  command->add_option("NAME", o.name, "Item name")->required();
  command->add_option("--server", o.server, "Server name (default: this machine)");
  return command;
}

int SetItem(const ItemOptions& options, Prepared& prepared) {
  LNDatabase& database = prepared.database;
  LNDocument& document = prepared.document;
  bool changed = false;
  std::string failure;
  try {
    changed = AssignItemByFormula(document, options.name.c_str(), options.type_word.c_str(),
                                  options.formula.c_str(), &failure) != 0;
  } catch (LNSTATUS status) {
    // The assignment lets the platform's errors through as thrown statuses.
    throw CommandError("cannot set item " + options.name + ": " +
                       (failure.empty() ? StatusText(status) : failure));
  }
  // Closing folds the saved note from the log into the file: a disk that
  // fails then is reported, not left for the next opener to find.
  LNSetThrowAllErrorsGlobal(0);
  CheckStatus(database.Close(), changed ? "document saved, but closing the database failed"
                                        : "closing the database failed");
  *prepared.context.out << options.name
                        << (changed ? ": changed, document saved\n" : ": unchanged, not saved\n");
  return 0;
}

int GetItem(const ItemOptions& options, const Prepared& prepared) {
  const LNDocument& document = prepared.document;
  std::ostream& out = *prepared.context.out;
  // The reader cannot tell a missing item from an empty one; a user can.
  if (!document.HasItem(options.name)) {
    throw CommandError("document " + options.unid + " has no item " + options.name);
  }
  // The forgiving reader gives "" for an item it cannot read; a user must
  // hear that it could not.
  std::string text;
  try {
    LNItem item;
    CheckStatus(document.GetItem(options.name.c_str(), &item), "cannot read item " + options.name);
    text = NotesTextToNative(JoinedItemText(item));
  } catch (LNSTATUS status) {
    CheckStatus(status, "cannot read item " + options.name);
  }
  if (options.json) {
    out << report::JsonText(nlohmann::json{{"name", options.name}, {"text", text}}) << "\n";
  } else {
    out << text << "\n";
  }
  return 0;
}

}  // namespace

void AddItemCommands(CLI::App& app, CommandTable& table) {
  auto* item = app.add_subcommand("item", "Set or read one item of a document");
  item->require_subcommand(1);
  auto o = std::make_shared<ItemOptions>();

  auto* set =
      AddDocumentArguments(*item, table,
                           DocumentRoute("set", "Assign an item the value of a formula", o,
                                         [o](Prepared& prepared) { return SetItem(*o, prepared); }),
                           *o);
  set->add_option("TYPE_WORD", o->type_word,
                  "Type of a new item: TEXT, NUMBER, DATETIME, READERS or AUTHORS "
                  "(any other word: DATETIME)")
      ->required();
  set->add_option("FORMULA", o->formula, "Value formula (default: @Now)");

  auto* get =
      AddDocumentArguments(*item, table,
                           DocumentRoute("get", "Print an item's values as one text", o,
                                         [o](Prepared& prepared) { return GetItem(*o, prepared); }),
                           *o);
  get->add_flag("--json", o->json, "Print JSON: name and text");
}

}  // namespace quendral::cli
