#include "report/audit_rows.h"

#include <algorithm>

#include "report/json_text.h"

namespace quendral::report {
namespace {

const nlohmann::json* Extra(const nlohmann::json& extra, const char* key) {
  if (!extra.is_object()) {
    return nullptr;
  }
  const auto found = extra.find(key);
  return found == extra.end() ? nullptr : &*found;
}

std::string_view StringExtra(const nlohmann::json& extra, const char* key) {
  const nlohmann::json* value = Extra(extra, key);
  return value && value->is_string() ? std::string_view(value->get_ref<const std::string&>())
                                     : std::string_view();
}

// A string as it is, anything else as JSON text; null as nothing.
std::string_view Formatted(const nlohmann::json& value, std::string* buffer) {
  if (value.is_string()) {
    return value.get_ref<const std::string&>();
  }
  if (value.is_null()) {
    return {};
  }
  *buffer = JsonText(value, -1);
  return *buffer;
}

}  // namespace

std::string_view HiddenKind(const HiddenParagraph& paragraph) {
  if (paragraph.binary) {
    return "binary";
  }
  const std::string_view kind = StringExtra(paragraph.extra, "kind");
  return kind.empty() ? "paragraph" : kind;
}

std::string_view DocumentError(const DocumentFindings& document) {
  return StringExtra(document.extra, "error");
}

AuditRows::AuditRows(std::string_view source_key, bool with_hides)
    : source_title_(source_key == "file" ? "File" : "Database") {
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    const auto column = static_cast<AuditColumn>(i);
    if (column != AuditColumn::kHides || with_hides) {
      columns_.push_back(column);
    }
  }
}

std::size_t AuditRows::IndexOf(AuditColumn column) const {
  return static_cast<std::size_t>(std::find(columns_.begin(), columns_.end(), column) -
                                  columns_.begin());
}

std::string_view AuditRows::Title(AuditColumn column) const {
  switch (column) {
    case AuditColumn::kSource:
      return source_title_;
    case AuditColumn::kDocument:
      return "Document";
    case AuditColumn::kForm:
      return "Form";
    case AuditColumn::kFinding:
      return "Finding";
    case AuditColumn::kItem:
      return "Item";
    case AuditColumn::kPardef:
      return "Pardef";
    case AuditColumn::kFormula:
      return "Formula";
    case AuditColumn::kHides:
      return "Hides for the user";
    case AuditColumn::kLinkReplica:
      return "Link replica";
    case AuditColumn::kLinkDocument:
      return "Link document";
    case AuditColumn::kStatus:
      return "Status";
  }
  return "";
}

std::size_t AuditRows::RowCount(const DocumentFindings& document) {
  return (DocumentError(document).empty() ? 0 : 1) + document.hidden.size() +
         document.links.size() + document.backups.size();
}

void AuditRows::Fill(std::string_view source, const DocumentFindings& document, std::size_t index) {
  cells_.fill({});
  Cell(AuditColumn::kSource) = source;
  Cell(AuditColumn::kDocument) = document.unid;
  const nlohmann::json* form = Extra(document.extra, "form");
  Cell(AuditColumn::kForm) = form ? Formatted(*form, &form_) : std::string_view();
  const std::string_view error = DocumentError(document);
  // The failure to read the document comes first.
  if (!error.empty() && index-- == 0) {
    Cell(AuditColumn::kFinding) = "error";
    Cell(AuditColumn::kStatus) = error;
  } else if (index < document.hidden.size()) {
    FillHidden(document.hidden[index]);
  } else if ((index -= document.hidden.size()) < document.links.size()) {
    FillLink(document.links[index]);
  } else if ((index -= document.links.size()) < document.backups.size()) {
    Cell(AuditColumn::kFinding) = "link backup";
    Cell(AuditColumn::kItem) = document.backups[index];
  }
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    shown_[i] = cells_[static_cast<std::size_t>(columns_[i])];
  }
}

void AuditRows::FillHidden(const HiddenParagraph& paragraph) {
  finding_.assign("hidden ").append(HiddenKind(paragraph));
  Cell(AuditColumn::kFinding) = finding_;
  Cell(AuditColumn::kItem) = paragraph.item;
  const nlohmann::json* pardef = Extra(paragraph.extra, "pardef");
  Cell(AuditColumn::kPardef) = pardef ? Formatted(*pardef, &pardef_) : std::string_view();
  Cell(AuditColumn::kFormula) = paragraph.formula;
  if (paragraph.hides) {
    Cell(AuditColumn::kHides) = *paragraph.hides ? "yes" : "no";
  }
  Cell(AuditColumn::kStatus) = paragraph.enabled ? "enabled" : "disabled";
}

void AuditRows::FillLink(const LinkFinding& link) {
  Cell(AuditColumn::kFinding) = "link";
  Cell(AuditColumn::kItem) = link.item;
  Cell(AuditColumn::kLinkReplica) = link.replica_id;
  Cell(AuditColumn::kLinkDocument) = link.note_unid;
  Cell(AuditColumn::kStatus) = link.status;
}

}  // namespace quendral::report
