#include "report/audit_report.h"

#include <ostream>

#include "report/text_line.h"

namespace quendral::report {

bool LinkFinding::Broken() const { return status != kLinkOk; }

void MarkUndecided(HiddenParagraph* paragraph, std::string reason) {
  paragraph->hides.reset();
  paragraph->extra["hides"] = nullptr;
  paragraph->extra["reason"] = std::move(reason);
}

bool DocumentFindings::Empty() const { return hidden.empty() && links.empty() && backups.empty(); }

void AuditTotals::Add(const DocumentFindings& document) {
  for (const HiddenParagraph& paragraph : document.hidden) {
    if (paragraph.enabled) {
      ++hidden;
    }
  }
  for (const LinkFinding& link : document.links) {
    if (link.Broken()) {
      ++broken_links;
    }
  }
}

void AuditTotals::Add(const AuditTotals& more) {
  databases += more.databases;
  documents += more.documents;
  hidden += more.hidden;
  broken_links += more.broken_links;
}

AuditTotals Totals(const AuditReport& report) {
  AuditTotals totals;
  for (const DatabaseAudit& database : report.databases) {
    ++totals.databases;
    totals.documents += database.documents;
    for (const DocumentFindings& document : database.findings) {
      totals.Add(document);
    }
  }
  return totals;
}

namespace {

// `fields` with the entry's extra keys added; the named fields win.
nlohmann::json WithExtra(nlohmann::json fields, const nlohmann::json& extra) {
  for (const auto& [key, value] : extra.items()) {
    if (!fields.contains(key)) {
      fields[key] = value;
    }
  }
  return fields;
}

nlohmann::json HiddenJson(const HiddenParagraph& paragraph) {
  nlohmann::json json = {{"item", paragraph.item}, {"enabled", paragraph.enabled}};
  if (paragraph.binary) {
    json["binary"] = true;
  } else {
    json["formula"] = paragraph.formula;
  }
  if (paragraph.hides) {
    json["hides"] = *paragraph.hides;
  }
  return WithExtra(std::move(json), paragraph.extra);
}

nlohmann::json LinkJson(const LinkFinding& link) {
  return WithExtra({{"item", link.item},
                    {"index", link.index},
                    {"replica_id", link.replica_id},
                    {"note_unid", link.note_unid},
                    {"status", link.status}},
                   link.extra);
}

}  // namespace

nlohmann::json DocumentJson(const DocumentFindings& document) {
  nlohmann::json hidden = nlohmann::json::array();
  for (const HiddenParagraph& paragraph : document.hidden) {
    hidden.push_back(HiddenJson(paragraph));
  }
  nlohmann::json links = nlohmann::json::array();
  for (const LinkFinding& link : document.links) {
    links.push_back(LinkJson(link));
  }
  return WithExtra({{"unid", document.unid},
                    {"hidden", std::move(hidden)},
                    {"links", std::move(links)},
                    {"backups", document.backups}},
                   document.extra);
}

nlohmann::json TotalsJson(const AuditTotals& totals) {
  return {{"databases", totals.databases},
          {"documents", totals.documents},
          {"hidden", totals.hidden},
          {"broken_links", totals.broken_links}};
}

nlohmann::json AuditJson(const AuditReport& report) {
  nlohmann::json databases = nlohmann::json::array();
  for (const DatabaseAudit& database : report.databases) {
    nlohmann::json findings = nlohmann::json::array();
    for (const DocumentFindings& document : database.findings) {
      findings.push_back(DocumentJson(document));
    }
    databases.push_back({{report.source_key, database.path},
                         {"replica_id", database.replica_id},
                         {"documents", database.documents},
                         {"findings", std::move(findings)}});
  }
  return {{"databases", std::move(databases)}, {"totals", TotalsJson(Totals(report))}};
}

namespace {

// One line of the text report: outside texts in it are made one line by
// their callers, and the whole is cut to `width` (0: never).
void PrintLine(const std::string& line, std::size_t width, std::ostream& out) {
  out << CutToWidth(line, width) << "\n";
}

std::string HiddenState(const HiddenParagraph& paragraph) {
  if (!paragraph.enabled) {
    return "(disabled)";
  }
  if (paragraph.hides) {
    return *paragraph.hides ? "hides now" : "shows now";
  }
  return "-";
}

// The formula, or for one compiled in binary rich text, whose text is not
// known, its size.
std::string FormulaText(const HiddenParagraph& paragraph) {
  if (paragraph.binary) {
    const nlohmann::json& extra = paragraph.extra;
    const nlohmann::json bytes =
        extra.is_object() ? extra.value("bytes", nlohmann::json()) : nlohmann::json();
    return "binary" + (bytes.is_number() ? " (" + bytes.dump() + " bytes)" : std::string());
  }
  return OneLineText(paragraph.formula);
}

}  // namespace

void PrintDocument(const DocumentFindings& document, std::size_t width, std::ostream& out) {
  PrintLine("  document " + OneLineText(document.unid), width, out);
  for (const HiddenParagraph& paragraph : document.hidden) {
    std::string kind = "hidden   ";
    if (paragraph.extra.is_object() && paragraph.extra.value("kind", "") == "action") {
      kind = "action   ";
    }
    PrintLine("    " + kind + OneLineText(paragraph.item) + "  " + HiddenState(paragraph) + "  " +
                  FormulaText(paragraph),
              width, out);
  }
  for (const LinkFinding& link : document.links) {
    PrintLine("    link     " + OneLineText(link.item) + "[" + std::to_string(link.index) + "]  " +
                  OneLineText(link.replica_id) + "  " + OneLineText(link.note_unid) + "  " +
                  OneLineText(link.status),
              width, out);
  }
  for (const std::string& backup : document.backups) {
    PrintLine("    backup   " + OneLineText(backup), width, out);
  }
}

void PrintSourceHeading(const DatabaseAudit& source, std::size_t with_findings, std::size_t width,
                        std::ostream& out) {
  PrintLine(OneLineText(source.path) + "  (replica " + OneLineText(source.replica_id) + ", " +
                std::to_string(source.documents) + " documents, " + std::to_string(with_findings) +
                " with findings)",
            width, out);
}

void PrintTotals(const AuditTotals& totals, std::string_view source_key, std::ostream& out) {
  const char* sources = source_key == "file" ? " files, " : " databases, ";
  out << "totals: " << totals.databases << sources << totals.documents << " documents, "
      << totals.hidden << " hidden paragraphs, " << totals.broken_links << " broken links\n";
}

void PrintAuditText(const AuditReport& report, std::ostream& out, std::size_t width) {
  for (const DatabaseAudit& database : report.databases) {
    PrintSourceHeading(database, database.findings.size(), width, out);
    for (const DocumentFindings& document : database.findings) {
      PrintDocument(document, width, out);
    }
  }
  PrintTotals(Totals(report), report.source_key, out);
}

}  // namespace quendral::report
