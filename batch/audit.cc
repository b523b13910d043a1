#include "batch/audit.h"

#include <cstdint>
#include <vector>

#include "batch/document_pages.h"
#include "batch/document_repair.h"
#include "batch/formula_truth.h"
#include "notes/open_database.h"
#include "notes/replica_id.h"
#include "notes/status_text.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/item_values.h"
#include "repair/hide_when.h"

namespace quendral::batch {
namespace {

constexpr std::size_t kPageSize = 250;

struct RichTextItem {
  std::string name;
  std::vector<platform::richtext::Paragraph> paragraphs;
};

// The paragraphs of every rich-text item that reads as rich text.
std::vector<RichTextItem> RichTextItems(const LNDocument& document) {
  std::vector<LNItem> items;
  document.GetItems(&items);
  std::vector<RichTextItem> rich_text;
  for (const LNItem& item : items) {
    if (item.GetType() != platform::kTypeCompositeText) continue;
    RichTextItem read{item.GetName().GetString(), {}};
    if (platform::values::DecodeRichText(item.GetValuePtr(), item.GetValueLength(),
                                         &read.paragraphs) == platform::kNoError) {
      rich_text.push_back(std::move(read));
    }
  }
  return rich_text;
}

// The hide-when formulas met so far, decompiled and compiled again once
// each: a database holds few distinct ones.
class HideWhenFormulas {
 public:
  struct Formula {
    std::string text;
    LNFormula compiled;
    bool usable = false;  // it decompiled and compiled
  };

  const Formula& Of(const std::vector<std::uint8_t>& area) {
    auto [found, added] = formulas_.try_emplace(area);
    if (added) {
      Formula& formula = found->second;
      formula.usable = platform::formula::Decompile(area.data(), area.size(), &formula.text) &&
                       formula.compiled.SetText(formula.text) == 0;
    }
    return found->second;
  }

 private:
  std::map<std::vector<std::uint8_t>, Formula> formulas_;
};

// The paragraphs whose hide-when formula the repair changes: the repair's
// own walk runs on the document in memory, and every paragraph whose formula
// area differs afterwards is one. The document is left repaired in memory.
void FindHiddenParagraphs(LNDocument& document, HideWhenFormulas& formulas,
                          report::DocumentFindings* findings) {
  const std::vector<RichTextItem> before = RichTextItems(document);
  NeutraliseHideWhen(document);
  const std::vector<RichTextItem> after = RichTextItems(document);
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
    const auto& old_paragraphs = before[i].paragraphs;
    const auto& new_paragraphs = after[i].paragraphs;
    for (std::size_t p = 0; p < old_paragraphs.size() && p < new_paragraphs.size(); ++p) {
      const auto& area = old_paragraphs[p].hide_when_area;
      if (area == new_paragraphs[p].hide_when_area) continue;
      const HideWhenFormulas::Formula& formula = formulas.Of(area);
      report::HiddenParagraph hidden;
      hidden.item = before[i].name;
      hidden.formula = formula.text;
      // A formula that cannot be read or evaluated hides nothing.
      hidden.hides = formula.usable && IsTrueFor(formula.compiled, document);
      findings->hidden.push_back(std::move(hidden));
    }
  }
}

void FindBrokenLinks(const LNDocument& document, LinkTargets& targets,
                     report::DocumentFindings* findings) {
  std::vector<LNItem> items;
  document.GetItems(&items);
  for (const LNItem& item : items) {
    if (item.GetType() != platform::kTypeNoteLinkList || item.GetName().GetString() != "$Links") {
      continue;
    }
    std::vector<platform::values::NoteLink> links;
    platform::values::DecodeNoteLinkList(item.GetValuePtr(), item.GetValueLength(), &links);
    for (std::size_t index = 0; index < links.size(); ++index) {
      const char* status = targets.Status(links[index].replica_id, links[index].note);
      if (status == report::kLinkOk) continue;
      findings->links.push_back({"$Links", static_cast<std::int64_t>(index),
                                 FormatReplicaIdText(links[index].replica_id, true),
                                 LNUniversalID::Format(links[index].note).GetString(), status,
                                 nlohmann::json::object()});
    }
  }
}

// The findings of one document, or nothing when the selection leaves it out.
std::optional<report::DocumentFindings> AuditDocument(LNDocument& document, LinkTargets& targets,
                                                      HideWhenFormulas& formulas,
                                                      const AuditOptions& options) {
  UNIVERSALNOTEID unid{};
  document.GetUniversalID(&unid);
  report::DocumentFindings findings;
  findings.unid = LNUniversalID::Format(unid).GetString();
  if (LNSTATUS status = document.Open(0); status != 0) {
    findings.extra["error"] = "cannot read the document: " + StatusText(status);
    return findings;
  }
  if (options.selection != nullptr && !options.selection->Takes(document)) {
    document.Close();
    return std::nullopt;
  }
  findings.backups = LinkBackupNames(document);
  if (std::string damaged = DamagedLinkTable(document); !damaged.empty()) {
    findings.extra["error"] = damaged;
  }
  FindBrokenLinks(document, targets, &findings);
  FindHiddenParagraphs(document, formulas, &findings);
  document.Close();
  return findings;
}

}  // namespace

void LinkTargets::Add(const TIMEDATE& replica_id, const LNDatabase& database) {
  databases_.insert_or_assign(FormatReplicaIdText(replica_id, false), database);
}

const char* LinkTargets::Status(const TIMEDATE& replica_id, const UNIVERSALNOTEID& note) {
  const std::string key = FormatReplicaIdText(replica_id, false);
  auto found = databases_.find(key);
  if (found == databases_.end()) {
    std::optional<LNDatabase> database(std::in_place);
    try {
      if (OpenNotesDatabase(session_, *database, server_.c_str(), key.c_str()) != 0) {
        database.reset();
      }
    } catch (LNSTATUS) {
      database.reset();
    }
    found = databases_.emplace(key, std::move(database)).first;
  }
  if (!found->second) return report::kDatabaseNotFound;
  LNDocument document;
  return found->second->GetDocument(note, &document) == 0 ? report::kLinkOk
                                                          : report::kDocumentNotFound;
}

report::DatabaseAudit AuditDatabase(LNDatabase& database, const std::string& path,
                                    LinkTargets& targets, const AuditOptions& options) {
  report::DatabaseAudit audit;
  audit.path = path;
  TIMEDATE replica_id{};
  database.GetReplicaID(&replica_id);
  audit.replica_id = FormatReplicaIdText(replica_id, true);
  // Links within the database are looked up in the same read group.
  targets.Add(replica_id, database);
  std::size_t total = 0;
  database.GetDocumentCount(&total);
  std::int64_t done = 0;
  HideWhenFormulas formulas;
  const LNSTATUS status =
      ForEachDocumentPage(database, kPageSize, [&](std::vector<LNDocument>& page) {
        for (LNDocument& document : page) {
          std::optional<report::DocumentFindings> findings =
              AuditDocument(document, targets, formulas, options);
          if (findings) ++audit.documents;
          if (findings && (!findings->Empty() || findings->extra.contains("error"))) {
            audit.findings.push_back(std::move(*findings));
          }
          if (options.on_document) options.on_document(++done, static_cast<std::int64_t>(total));
        }
      });
  if (status != 0) {
    report::DocumentFindings unlisted;
    unlisted.extra["error"] = "cannot read the list of documents: " + StatusText(status);
    audit.findings.push_back(std::move(unlisted));
  }
  return audit;
}

}  // namespace quendral::batch
