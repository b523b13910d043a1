#include "report/audit_report.h"

#include <ostream>

namespace quendral::report {

bool LinkFinding::Broken() const { return status != kLinkOk; }

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
  nlohmann::json json = {
      {"item", paragraph.item}, {"formula", paragraph.formula}, {"enabled", paragraph.enabled}};
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

void PrintDocument(const DocumentFindings& document, std::ostream& out) {
  out << "  document " << document.unid << "\n";
  for (const HiddenParagraph& paragraph : document.hidden) {
    out << "    hidden   " << paragraph.item << "  ";
    if (!paragraph.enabled) {
      out << "(disabled)";
    } else if (paragraph.hides) {
      out << (*paragraph.hides ? "hides now" : "shows now");
    } else {
      out << "-";
    }
    out << "  " << paragraph.formula << "\n";
  }
  for (const LinkFinding& link : document.links) {
    out << "    link     " << link.item << "[" << link.index << "]  " << link.replica_id << "  "
        << link.note_unid << "  " << link.status << "\n";
  }
  for (const std::string& backup : document.backups) {
    out << "    backup   " << backup << "\n";
  }
}

void PrintSourceHeading(const DatabaseAudit& source, std::size_t with_findings, std::ostream& out) {
  out << source.path << "  (replica " << source.replica_id << ", " << source.documents
      << " documents, " << with_findings << " with findings)\n";
}

void PrintTotals(const AuditTotals& totals, std::ostream& out) {
  out << "totals: " << totals.databases << " databases, " << totals.documents << " documents, "
      << totals.hidden << " hidden paragraphs, " << totals.broken_links << " broken links\n";
}

void PrintAuditText(const AuditReport& report, std::ostream& out) {
  for (const DatabaseAudit& database : report.databases) {
    PrintSourceHeading(database, database.findings.size(), out);
    for (const DocumentFindings& document : database.findings) {
      PrintDocument(document, out);
    }
  }
  PrintTotals(Totals(report), out);
}

}  // namespace quendral::report
