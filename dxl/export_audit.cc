#include "dxl/export_audit.h"

#include <nlohmann/json.hpp>

#include "dxl/binary_rich_text.h"
#include "dxl/document_environment.h"
#include "dxl/export_walker.h"
#include "dxl/link_table.h"
#include "report/audit_collector.h"

namespace quendral::dxl {
namespace {

using nlohmann::json;

// Gathers what an export holds of its database: the access list and the
// profile documents.
class DatabaseReader : public ExportVisitor {
 public:
  explicit DatabaseReader(ExportDatabase* database) : database_(*database) {}

  bool WantsItems() const override { return true; }
  void OnAccessEntry(const platform::formula::AccessEntry& entry) override {
    database_.AddAccessEntry(entry);
  }
  void OnNoteStart(const NoteFacts&) override { items_.clear(); }
  void OnItem(const NoteFacts&, ItemValue&& item) override { items_.push_back(std::move(item)); }
  void OnNoteEnd(const NoteFacts&) override { database_.AddIfProfile(items_); }

 private:
  ExportDatabase& database_;
  std::vector<ItemValue> items_;
};

// The database facts of an export that can be read twice are taken in a
// first pass, so that a profile following the document it serves is known
// to it; an export read only once tells what came before each note.
ExportDatabase ReadDatabaseFirst(std::istream& in, const AuditOptions& options) {
  ExportDatabase database;
  database.data_directory = options.data_directory;
  const std::istream::pos_type start = in.tellg();
  if (!options.user || start == std::istream::pos_type(-1)) {
    return database;
  }
  DatabaseReader reader(&database);
  StreamRewriter scan(nullptr);
  Refusal refusal;
  database.all_profiles = WalkExport(in, scan, reader, false, &refusal);
  in.clear();
  in.seekg(start);
  if (!database.all_profiles || !in) {
    // The audit's own pass gathers them, and reports what is refused.
    database = ExportDatabase{};
    database.data_directory = options.data_directory;
  }
  return database;
}

class AuditVisitor : public ExportVisitor {
 public:
  AuditVisitor(const AuditOptions& options, const std::string& path, report::AuditSink& sink,
               ExportDatabase database)
      : options_(options),
        sink_(sink),
        source_{path, {}},
        database_(std::move(database)),
        database_reader_(&database_) {}

  void OnAccessEntry(const platform::formula::AccessEntry& entry) override {
    if (!database_.all_profiles) {
      database_reader_.OnAccessEntry(entry);
    }
  }

  bool WantsItems() const override { return options_.user.has_value(); }
  bool WantsParagraphs() const override { return true; }

  void OnDatabase(const StartTag& tag) override {
    const auto replica = NormaliseReplicaId(tag.Attribute("replicaid").value_or(""));
    if (replica) {
      source_.replica_id = ReplicaIdWithColon(*replica);
    }
    Begin();
  }

  // The source begins once its replica ID is known: at the database, else at
  // its first note or its end.
  void Begin() {
    if (!begun_) {
      sink_.BeginSource(source_);
      begun_ = true;
    }
  }

  void End() {
    Begin();
    sink_.EndSource(documents_);
  }

  void OnNoteStart(const NoteFacts&) override {
    findings_ = report::DocumentFindings{};
    pardefs_.clear();
    items_.clear();
  }

  void OnHideWhen(const NoteFacts&, const HideWhen& formula) override {
    if (formula.Neutral()) {
      return;
    }
    report::HiddenParagraph paragraph;
    paragraph.item = formula.item;
    paragraph.formula = formula.formula;
    paragraph.enabled = formula.enabled;
    if (formula.on_action) {
      paragraph.extra = {{"kind", "action"}, {"title", formula.action_title}};
      Add(std::move(paragraph), std::nullopt);
      return;
    }
    paragraph.extra = {
        {"kind", "paragraph"}, {"pardef", formula.pardef_id}, {"hide", formula.static_hide}};
    Add(std::move(paragraph), formula.pardef_id);
  }

  void OnLink(const NoteFacts&, const LinkElement& link) override {
    report::LinkFinding finding;
    finding.item = link.item;
    finding.index = static_cast<std::int64_t>(findings_.links.size());
    const auto replica = NormaliseReplicaId(link.database);
    finding.replica_id = replica ? ReplicaIdWithColon(*replica) : link.database;
    finding.note_unid = link.document;
    finding.status = Status(replica);
    finding.extra = {{"kind", link.element}, {"view_unid", link.view}, {"server", link.server}};
    findings_.links.push_back(std::move(finding));
  }

  void OnItemData(const NoteFacts&, const ItemData& data) override {
    if (IsBinaryRichText(data.type)) {
      AddBinaryRichText(data);
      return;
    }
    LinkTable table;
    if (!IsLinkTableItem(data.item, data.type) || !data.layout || !table.Decode(*data.layout)) {
      return;
    }
    std::int64_t index = 0;
    for (const LinkTableEntry& entry : table.entries()) {
      report::LinkFinding finding;
      finding.item = data.item;
      finding.index = index++;
      finding.replica_id = ReplicaIdWithColon(entry.replica_id);
      finding.note_unid = entry.note_unid;
      finding.status = Status(entry.replica_id);
      finding.extra = {{"kind", "notelink"}, {"view_unid", entry.view_unid}};
      findings_.links.push_back(std::move(finding));
    }
  }

  void OnItem(const NoteFacts&, ItemValue&& item) override { items_.push_back(std::move(item)); }

  void OnNoteEnd(const NoteFacts& note) override {
    ++documents_;
    if (!database_.all_profiles) {
      database_.AddIfProfile(items_);
    }
    for (std::size_t i = 0; i < findings_.hidden.size(); ++i) {
      report::HiddenParagraph& paragraph = findings_.hidden[i];
      if (pardefs_[i]) {
        const auto used = note.paragraphs.find(*pardefs_[i]);
        paragraph.extra["paragraphs"] = used == note.paragraphs.end() ? 0 : used->second;
      }
      if (options_.user && paragraph.enabled && !paragraph.binary) {
        std::string reason;
        paragraph.hides =
            FormulaHides(paragraph.formula, note, items_, *options_.user, database_, &reason);
        if (!paragraph.hides) {
          report::MarkUndecided(&paragraph, std::move(reason));
        }
      }
    }
    if (findings_.Empty()) {
      return;
    }
    findings_.unid = note.unid;
    findings_.extra = {{"form", note.form}, {"note_id", note.note_id}, {"element", note.element}};
    Begin();
    sink_.Document(findings_);
  }

 private:
  // `pardef`: the definition whose paragraphs of DXL text the formula hides.
  void Add(report::HiddenParagraph paragraph, std::optional<std::string> pardef) {
    findings_.hidden.push_back(std::move(paragraph));
    pardefs_.push_back(std::move(pardef));
  }

  // The hide-whens of rich text carried as records that the repair would
  // overwrite or cannot, and the item itself when it cannot be read whole.
  void AddBinaryRichText(const ItemData& data) {
    BinaryRichText rich_text;
    if (data.layout) {
      rich_text = NeutraliseBinaryRichText(*data.layout);
    } else {
      rich_text.problem = kNotPlainBase64;
    }
    for (const BinaryHideWhen& hide_when : rich_text.hide_whens) {
      if (hide_when.repair == AreaRepair::kAlreadyNeutral) {
        continue;
      }
      report::HiddenParagraph paragraph = BinaryParagraph(data.item);
      paragraph.extra["pardef"] = std::to_string(hide_when.paragraph_definition_id);
      paragraph.extra["bytes"] = hide_when.bytes;
      if (hide_when.repair == AreaRepair::kTooShort) {
        paragraph.extra["problem"] = kTooShortReason;
      }
      Add(std::move(paragraph), std::nullopt);
    }
    if (!rich_text.problem.empty()) {
      report::HiddenParagraph paragraph = BinaryParagraph(data.item);
      paragraph.extra["problem"] = rich_text.problem;
      Add(std::move(paragraph), std::nullopt);
    }
  }

  static report::HiddenParagraph BinaryParagraph(const std::string& item) {
    report::HiddenParagraph paragraph;
    paragraph.item = item;
    paragraph.binary = true;
    paragraph.extra = {{"kind", "paragraph"}};
    return paragraph;
  }

  std::string_view Status(const std::optional<std::string>& replica) const {
    return replica && options_.known_replicas.contains(*replica) ? report::kLinkOk
                                                                 : report::kDatabaseNotFound;
  }

  const AuditOptions& options_;
  report::AuditSink& sink_;
  report::AuditSource source_;
  bool begun_ = false;
  std::int64_t documents_ = 0;
  report::DocumentFindings findings_;
  // The pardef of each formula in `findings_.hidden` written as DXL text.
  std::vector<std::optional<std::string>> pardefs_;
  std::vector<ItemValue> items_;
  ExportDatabase database_;
  DatabaseReader database_reader_;
};

}  // namespace

bool AuditExport(std::istream& in, const AuditOptions& options, const std::string& path,
                 report::AuditSink& sink, Refusal* refusal) {
  AuditVisitor visitor(options, path, sink, ReadDatabaseFirst(in, options));
  StreamRewriter rewriter(nullptr);
  if (!WalkExport(in, rewriter, visitor, options.all_notes, refusal)) {
    return false;
  }
  visitor.End();
  return true;
}

bool AuditExport(std::istream& in, const AuditOptions& options, report::DatabaseAudit* audit,
                 Refusal* refusal) {
  report::AuditCollector collector;
  if (!AuditExport(in, options, audit->path, collector, refusal)) {
    return false;
  }
  *audit = collector.last();
  return true;
}

}  // namespace quendral::dxl
