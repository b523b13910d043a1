#include "batch/audit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "batch/document_repair.h"
#include "batch/formula_truth.h"
#include "notes/open_database.h"
#include "notes/replica_id.h"
#include "notes/status_text.h"
#include "notes/universal_id_text.h"
#include "platform/notes/api/document_images.h"
#include "platform/notes/api/image_formula.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/core/memory.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/richtext/paragraphs.h"
#include "repair/hide_when.h"
#include "repair/hide_when_area.h"
#include "repair/link_table.h"
#include "report/audit_collector.h"

namespace quendral::batch {
namespace {

// The documents read in one read group. Only one document's items are held
// at a time, whatever the page size: it bounds how long a read group keeps
// its view of the file, against how often one is begun.
constexpr std::size_t kPageSize = 1000;

using ByteView = std::span<const std::uint8_t>;

// The hide-when areas of a rich-text item's paragraphs, as views into the
// item's value.
struct RichTextItem {
  const std::string* name;
  std::vector<ByteView> areas;
};

// Every rich-text item that reads as rich text; views into `items`.
std::vector<RichTextItem> RichTextItems(const std::vector<platform::store::ItemImage>& items) {
  std::vector<RichTextItem> rich_text;
  for (const platform::store::ItemImage& item : items) {
    if (item.type != platform::kTypeCompositeText) {
      continue;
    }
    RichTextItem read{&item.name, {}};
    if (platform::richtext::ReadHideWhenAreas(item.value.data(), item.value.size(), &read.areas)) {
      rich_text.push_back(std::move(read));
    }
  }
  return rich_text;
}

// The document's items as images, as they are in memory.
std::vector<platform::store::ItemImage> ImagesOf(const LNDocument& document) {
  std::vector<LNItem> items;
  document.GetItems(&items);
  std::vector<platform::store::ItemImage> images;
  images.reserve(items.size());
  for (const LNItem& item : items) {
    images.push_back(
        {item.GetName().GetString(), item.GetType(), item.GetFlags(), item.GetValue()});
  }
  return images;
}

// Whether the repair's overwrite changes the formula area, worked out on a
// copy in a block of the area's own size; nothing when there is no memory
// for the copy.
std::optional<bool> OverwriteChanges(ByteView area) {
  if (area.empty()) {
    return false;
  }
  const platform::DHANDLE block = platform::AllocateMemory(area.size());
  if (block == 0) {
    return std::nullopt;
  }
  auto* copy = static_cast<char*>(platform::LockMemory(block));
  std::memcpy(copy, area.data(), area.size());
  // The distinct areas are met once each here, so no memo is kept.
  NeutraliseHideWhenArea(copy, area.size(), HideWhenAreaSource::kDatabaseRichText, nullptr);
  const bool changed = std::memcmp(copy, area.data(), area.size()) != 0;
  platform::UnlockMemory(block);
  platform::FreeMemory(block);
  return changed;
}

// The hide-when formulas met so far, decompiled and compiled again once
// each: a database holds few distinct ones.
class HideWhenFormulas {
 public:
  // Whether the formula hides its paragraph; nothing, with the reason, when
  // it cannot be decided here.
  struct Verdict {
    std::optional<bool> hides;
    std::string reason;
  };

  struct Formula {
    std::string text;
    // Nothing when it does not decompile and compile again.
    std::optional<platform::formula::DecodedFormula> compiled;
    // The verdict on every document, once an evaluation has shown that it
    // reads nothing of the document.
    std::optional<Verdict> everywhere;
    // Whether the repair changes the area; unknown for an area that does not
    // hold a whole formula, as the repair's decompiler may then read on into
    // the records behind it.
    std::optional<bool> changes;
  };

  Formula& Of(ByteView area) {
    const std::string_view key = AsKey(area);
    if (auto found = formulas_.find(key); found != formulas_.end()) {
      return found->second;
    }
    Formula& formula = formulas_[std::string(key)];
    const bool whole = platform::formula::Decompile(area.data(), area.size(), &formula.text);
    std::vector<std::uint8_t> compiled;
    platform::formula::DecodedFormula decoded;
    if (whole && platform::formula::Compile(formula.text, &compiled, nullptr) &&
        platform::formula::DecodedFormula::Decode(compiled.data(), compiled.size(), &decoded)) {
      formula.compiled = std::move(decoded);
    }
    if (whole || area.empty()) {
      formula.changes = OverwriteChanges(area);
    }
    return formula;
  }

  // Whether the formula hides its paragraph in the document.
  static Verdict Hides(Formula& formula, const platform::store::NoteHeader& header,
                       std::vector<platform::store::ItemImage>& items,
                       const platform::ImageDatabase* database) {
    if (formula.everywhere) {
      return *formula.everywhere;
    }
    if (!formula.compiled) {
      return {std::nullopt, "the formula cannot be read"};
    }
    platform::formula::Value result;
    platform::formula::EvaluationError error;
    bool used_note = true;
    Verdict verdict;
    const platform::STATUS status = platform::EvaluateOnImage(
        *formula.compiled, header, &items, &result, &used_note, &error, database);
    if (status == platform::kNoError) {
      verdict.hides = IsTrue(result);
    } else {
      verdict.reason = status == platform::kErrFormulaEvaluation
                           ? EvaluationFailureText(error.message, error.position)
                           : StatusText(status);
    }
    if (!used_note) {
      formula.everywhere = verdict;
    }
    return verdict;
  }

 private:
  static std::string_view AsKey(ByteView area) {
    return {reinterpret_cast<const char*>(area.data()), area.size()};
  }

  // Keyed by the area's bytes.
  std::map<std::string, Formula, std::less<>> formulas_;
};

// One audit's state: the database read, where its links lead, and the
// hide-when formulas met so far.
struct AuditRun {
  LNDatabase& database;
  LinkTargets& targets;
  const AuditOptions& options;
  HideWhenFormulas formulas;
  const platform::ImageDatabase* database_facts = nullptr;
};

// Opens the stored document in memory, for what only an open note tells.
LNSTATUS OpenDocument(LNDatabase& database, const UNIVERSALNOTEID& unid, LNDocument* document) {
  const LNSTATUS status = database.GetDocument(unid, document);
  return status != 0 ? status : document->Open(0);
}

// The items of the document after the repair's own walk on it in memory;
// the document is then dropped.
LNSTATUS WalkedItems(LNDatabase& database, const UNIVERSALNOTEID& unid,
                     std::vector<platform::store::ItemImage>* walked) {
  LNDocument document;
  if (LNSTATUS status = OpenDocument(database, unid, &document); status != 0) {
    return status;
  }
  NeutraliseHideWhen(document);
  *walked = ImagesOf(document);
  document.Close();
  return 0;
}

// The paragraphs whose hide-when formula the repair changes. The formula
// area tells, once per distinct area; only when one cannot tell does the
// repair's own walk run on the document opened in memory, and every
// paragraph whose area differs afterwards is one. Whether a formula hides
// is evaluated against the document's items, which take what it assigns.
void FindHiddenParagraphs(const platform::store::NoteHeader& header,
                          std::vector<platform::store::ItemImage>& items, AuditRun& run,
                          report::DocumentFindings* findings) {
  const std::vector<RichTextItem> before = RichTextItems(items);
  bool known = true;
  for (const RichTextItem& item : before) {
    for (ByteView area : item.areas) {
      known = known && run.formulas.Of(area).changes.has_value();
    }
  }
  std::vector<platform::store::ItemImage> walked_items;
  std::vector<RichTextItem> walked;
  if (!known) {
    if (LNSTATUS status = WalkedItems(run.database, header.unid, &walked_items); status != 0) {
      findings->extra["error"] = "cannot read the document: " + StatusText(status);
      return;
    }
    walked = RichTextItems(walked_items);
  }
  // Every finding is taken before any formula runs: what a formula assigns
  // changes the items that `before` views.
  std::vector<HideWhenFormulas::Formula*> formulas;
  std::size_t paragraphs = 0;
  for (const RichTextItem& item : before) {
    paragraphs += item.areas.size();
  }
  formulas.reserve(paragraphs);
  findings->hidden.reserve(findings->hidden.size() + paragraphs);
  for (std::size_t i = 0; i < before.size(); ++i) {
    for (std::size_t p = 0; p < before[i].areas.size(); ++p) {
      const ByteView area = before[i].areas[p];
      HideWhenFormulas::Formula& formula = run.formulas.Of(area);
      const bool changes = known ? *formula.changes
                                 : i < walked.size() && p < walked[i].areas.size() &&
                                       !std::ranges::equal(walked[i].areas[p], area);
      if (!changes) {
        continue;
      }
      report::HiddenParagraph hidden;
      hidden.item = *before[i].name;
      hidden.formula = formula.text;
      findings->hidden.push_back(std::move(hidden));
      formulas.push_back(&formula);
    }
  }
  const std::size_t first = findings->hidden.size() - formulas.size();
  for (std::size_t k = 0; k < formulas.size(); ++k) {
    const HideWhenFormulas::Verdict verdict =
        HideWhenFormulas::Hides(*formulas[k], header, items, run.database_facts);
    findings->hidden[first + k].hides = verdict.hides;
    if (!verdict.hides) {
      report::MarkUndecided(&findings->hidden[first + k], verdict.reason);
    }
  }
}

void FindBrokenLinks(const std::vector<platform::store::ItemImage>& items, LinkTargets& targets,
                     report::DocumentFindings* findings) {
  for (const platform::store::ItemImage& item : items) {
    if (item.type != platform::kTypeNoteLinkList || item.name != kLinkTableItemName) {
      continue;
    }
    // A damaged table is reported as such; the links it holds are listed.
    std::vector<NoteLink> links;
    DecodeLinkTable(item.value, LinkTableReading::kEntriesThatFit, &links);
    findings->links.reserve(findings->links.size() + links.size());
    for (std::size_t index = 0; index < links.size(); ++index) {
      const char* status = targets.Status(links[index].replica_id, links[index].note);
      if (status == report::kLinkOk) {
        continue;
      }
      findings->links.push_back({kLinkTableItemName,
                                 static_cast<std::int64_t>(index),
                                 FormatReplicaIdText(links[index].replica_id, true),
                                 FormatUniversalIdText(&links[index].note),
                                 status,
                                 {}});
    }
  }
}

// Whether the selection takes the document, which it is evaluated on open.
std::optional<LNSTATUS> Selected(AuditRun& run, const UNIVERSALNOTEID& unid, bool* taken) {
  LNDocument document;
  if (LNSTATUS status = OpenDocument(run.database, unid, &document); status != 0) {
    return status;
  }
  *taken = run.options.selection->Takes(document);
  document.Close();
  return std::nullopt;
}

// The findings of one document read from the store, or nothing when the
// selection leaves it out.
std::optional<report::DocumentFindings> AuditDocument(
    const platform::store::NoteHeader& header, std::vector<platform::store::ItemImage>& items,
    AuditRun& run) {
  report::DocumentFindings findings;
  findings.unid = FormatUniversalIdText(&header.unid);
  if (run.options.selection != nullptr) {
    bool taken = false;
    if (std::optional<LNSTATUS> failed = Selected(run, header.unid, &taken)) {
      findings.extra["error"] = "cannot read the document: " + StatusText(*failed);
      return findings;
    }
    if (!taken) {
      return std::nullopt;
    }
  }
  findings.backups = LinkBackupNames(items);
  if (std::string damaged = DamagedLinkTable(items); !damaged.empty()) {
    findings.extra["error"] = damaged;
  }
  FindBrokenLinks(items, run.targets, &findings);
  FindHiddenParagraphs(header, items, run, &findings);
  return findings;
}

}  // namespace

void LinkTargets::Add(const TIMEDATE& replica_id, const LNDatabase& database) {
  databases_.insert_or_assign(Key(replica_id), DocumentLookup(platform::DocumentImages(database)));
}

const char* LinkTargets::Status(const TIMEDATE& replica_id, const UNIVERSALNOTEID& note) {
  auto found = databases_.find(Key(replica_id));
  if (found == databases_.end()) {
    const std::string key = FormatReplicaIdText(replica_id, false);
    std::optional<DocumentLookup> lookup;
    try {
      LNDatabase database;
      if (OpenNotesDatabase(session_, database, server_.c_str(), key.c_str()) == 0) {
        lookup.emplace(platform::DocumentImages(database));
      }
    } catch (LNSTATUS) {
    }
    found = databases_.emplace(Key(replica_id), std::move(lookup)).first;
  }
  if (!found->second) {
    return report::kDatabaseNotFound;
  }
  bool stored = false;
  const platform::STATUS status = found->second->Holds(note, &stored);
  if (status == platform::kErrDatabaseNotOpen) {
    // Its owner closed it since (the database audited before, say): it is
    // looked up again, as one never seen.
    databases_.erase(found);
    return Status(replica_id, note);
  }
  return status == platform::kNoError && stored ? report::kLinkOk : report::kDocumentNotFound;
}

void AuditDatabase(LNDatabase& database, const std::string& path, LinkTargets& targets,
                   const AuditOptions& options, report::AuditSink& sink) {
  TIMEDATE replica_id{};
  database.GetReplicaID(&replica_id);
  sink.BeginSource({path, FormatReplicaIdText(replica_id, true)});
  std::size_t total = 0;
  database.GetDocumentCount(&total);
  std::int64_t done = 0;
  std::int64_t taken = 0;
  AuditRun run{database, targets, options, {}};
  const platform::ImageDatabase facts(database);
  run.database_facts = &facts;
  // Links within the database are looked up in the read group of the page
  // being read.
  if (database.IsOpen()) {
    targets.Add(replica_id, database);
  }
  const platform::STATUS status = platform::DocumentImages(database).ForEach(
      kPageSize, [&](const platform::store::NoteHeader& header,
                     std::vector<platform::store::ItemImage>& items) {
        std::optional<report::DocumentFindings> findings = AuditDocument(header, items, run);
        if (findings) {
          ++taken;
        }
        if (findings && (!findings->Empty() || findings->extra.contains("error"))) {
          sink.Document(*findings);
        }
        if (options.on_document) {
          options.on_document(++done, static_cast<std::int64_t>(total));
        }
        return platform::STATUS{platform::kNoError};
      });
  if (status != platform::kNoError) {
    report::DocumentFindings unlisted;
    unlisted.extra["error"] = "cannot read the list of documents: " + StatusText(status);
    sink.Document(unlisted);
  }
  sink.EndSource(taken);
}

report::DatabaseAudit AuditDatabase(LNDatabase& database, const std::string& path,
                                    LinkTargets& targets, const AuditOptions& options) {
  report::AuditCollector collector;
  AuditDatabase(database, path, targets, options, collector);
  return collector.last();
}

}  // namespace quendral::batch
