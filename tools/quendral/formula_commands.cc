// eval, show and links: reading documents the way their readers do.
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "database_json/values.h"
#include "notes/replica_id.h"
#include "notes/status_text.h"
#include "platform/notes/api/item_values.h"
#include "repair/link_table.h"
#include "report/json_text.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/command_table.h"
#include "tools/quendral/commands.h"
#include "tools/quendral/document_reader.h"

namespace quendral::cli {
namespace {

struct EvalOptions : Target {
  std::string formula;
  bool save = false;
  bool json = false;
};

void Compile(LNFormula& formula, const std::string& text) {
  if (formula.SetText(text) != 0) {
    throw CommandError("formula error at position " + std::to_string(formula.GetErrorPosition()) +
                       ": " + formula.GetErrorMessage().GetString());
  }
}

void CheckEvaluated(const LNFormula& formula, LNSTATUS status) {
  if (status == 0) {
    return;
  }
  if (status != platform::kErrFormulaEvaluation) {
    throw CommandError("cannot evaluate the formula: " + StatusText(status));
  }
  throw CommandError(
      "cannot evaluate the formula: " +
      EvaluationFailureText(formula.GetErrorMessage().GetString(), formula.GetErrorPosition()));
}

int Evaluate(const EvalOptions& options, Prepared& prepared) {
  std::ostream& out = *prepared.context.out;
  LNFormula formula;
  Compile(formula, options.formula);
  LNItem result;
  if (options.database.empty()) {
    CheckEvaluated(formula, formula.Evaluate(&result));
  } else {
    LNDocument& document = prepared.document;
    CheckEvaluated(formula, formula.Evaluate(&result, &document));
    if (options.save) {
      CheckStatus(document.Save(0), "cannot save the document");
    }
  }
  const std::vector<std::string> texts = ResultTexts(result);
  if (options.json) {
    out << report::JsonText(nlohmann::json{{"values", texts}}) << "\n";
    return 0;
  }
  for (const std::string& text : texts) {
    out << text << "\n";
  }
  return 0;
}

void AddEval(CLI::App& app, CommandTable& table) {
  auto o = std::make_shared<EvalOptions>();
  auto* command =
      table.Add(app, DocumentRoute("eval", "Evaluate a formula, alone or against a document", o,
                                   [o](Prepared& prepared) { return Evaluate(*o, prepared); }));
  auto* database = command->add_option("--db", o->database, "Database path");
  command->add_option("--server", o->server, "Server name (default: this machine)")
      ->needs(database);
  auto* unid = command->add_option("--unid", o->unid, "Universal ID of the document");
  unid->needs(database);
  database->needs(unid);
  command->add_flag("--save", o->save, "Save the document's FIELD changes")->needs(database);
  command->add_option("--user", o->user, "User name the formula sees");
  command
      ->add_option("FORMULA", o->formula,
                   "Formula text; after '--' when it begins with '-' (eval -- \"-Total\")")
      ->required();
  command->add_flag("--json", o->json, "Print JSON: values, one text each");
}

struct ShowOptions : Target {
  std::string item;
  bool all = false;
  bool json = false;
};

int Show(const ShowOptions& options, Prepared& prepared) {
  std::ostream& out = *prepared.context.out;
  LNDocument& document = prepared.document;
  nlohmann::json paragraphs = nlohmann::json::array();
  for (const auto& paragraph : RichTextParagraphs(document, options.item)) {
    const bool hidden =
        paragraph.has_hide_when && HidesParagraph(paragraph.hide_when_area, document);
    if (hidden && !options.all) {
      continue;
    }
    if (options.json) {
      paragraphs.push_back({{"text", paragraph.Text()}, {"hidden", hidden}});
    } else {
      out << (hidden ? "[hidden] " : "") << paragraph.Text() << "\n";
    }
  }
  if (options.json) {
    out << report::JsonText(nlohmann::json{{"paragraphs", paragraphs}}) << "\n";
  }
  return 0;
}

void AddShow(CLI::App& app, CommandTable& table) {
  auto o = std::make_shared<ShowOptions>();
  auto* command =
      table.Add(app, DocumentRoute("show", "Print a document's rich text as a reader sees it", o,
                                   [o](Prepared& prepared) { return Show(*o, prepared); }));
  command->add_option("PATH", o->database, "Database path")->required();
  command->add_option("UNID", o->unid, "Universal ID of the document")->required();
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_option("--item", o->item, "Only this rich text item");
  command->add_option("--user", o->user, "User name the hide-when formulas see");
  command->add_flag("--all", o->all, "Print hidden paragraphs too, marked [hidden]");
  command->add_flag("--json", o->json, "Print JSON: paragraphs, each with text and hidden");
}

struct LinksOptions : Target {
  bool json = false;
};

int ShowLinks(const LinksOptions& options, const Prepared& prepared) {
  std::ostream& out = *prepared.context.out;
  const LNDocument& document = prepared.document;
  std::vector<LNItem> items;
  CheckStatus(document.GetItems(&items), "cannot read the document's items");
  nlohmann::json tables = nlohmann::json::array();
  for (const LNItem& item : items) {
    if (item.GetType() != platform::kTypeNoteLinkList) {
      continue;
    }
    std::vector<NoteLink> links;
    CheckStatus(DecodeLinkTable({item.GetValuePtr(), item.GetValueLength()},
                                LinkTableReading::kWholeTable, &links)
                    ? platform::kNoError
                    : platform::kErrItemValueInvalid,
                "link table " + item.GetName().GetString() + " is damaged");
    if (options.json) {
      tables.push_back(
          {{"name", item.GetName().GetString()}, {"links", database_json::LinksToJson(links)}});
      continue;
    }
    out << item.GetName().GetString() << "\n";
    for (const auto& link : links) {
      out << "  " << FormatReplicaIdText(link.replica_id, true) << " view "
          << LNUniversalID::Format(link.view).GetString() << " note "
          << LNUniversalID::Format(link.note).GetString() << "\n";
    }
  }
  if (options.json) {
    out << report::JsonText(nlohmann::json{{"link_tables", tables}}) << "\n";
  }
  return 0;
}

void AddLinks(CLI::App& app, CommandTable& table) {
  auto o = std::make_shared<LinksOptions>();
  auto* command =
      table.Add(app, DocumentRoute("links", "Print a document's link tables", o,
                                   [o](Prepared& prepared) { return ShowLinks(*o, prepared); }));
  command->add_option("PATH", o->database, "Database path")->required();
  command->add_option("UNID", o->unid, "Universal ID of the document")->required();
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_flag("--json", o->json,
                    "Print JSON: link_tables, each with name and links (replica_id, view_unid, "
                    "note_unid)");
}

}  // namespace

void AddFormulaCommands(CLI::App& app, CommandTable& table) {
  AddEval(app, table);
  AddShow(app, table);
  AddLinks(app, table);
}

}  // namespace quendral::cli
