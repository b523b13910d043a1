#include "report/audit_report.h"

#include <ostream>

namespace quendral::report {

bool LinkFinding::Broken() const { return status != kLinkOk; }

bool DocumentFindings::Empty() const { return hidden.empty() && links.empty() && backups.empty(); }

AuditTotals Totals(const AuditReport& report) {
  AuditTotals totals;
  for (const DatabaseAudit& database : report.databases) {
    ++totals.databases;
    totals.documents += database.documents;
    for (const DocumentFindings& document : database.findings) {
      for (const HiddenParagraph& paragraph : document.hidden) {
        if (paragraph.enabled) {
          ++totals.hidden;
        }
      }
      for (const LinkFinding& link : document.links) {
        if (link.Broken()) {
          ++totals.broken_links;
        }
      }
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

}  // namespace

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
  const AuditTotals totals = Totals(report);
  return {{"databases", std::move(databases)},
          {"totals",
           {{"databases", totals.databases},
            {"documents", totals.documents},
            {"hidden", totals.hidden},
            {"broken_links", totals.broken_links}}}};
}

namespace {

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
    out << "  " << (paragraph.binary ? "binary" : paragraph.formula) << "\n";
  }
  for (const LinkFinding& link : document.links) {
    out << "    link     " << link.item << "[" << link.index << "]  " << link.replica_id << "  "
        << link.note_unid << "  " << link.status << "\n";
  }
  for (const std::string& backup : document.backups) {
    out << "    backup   " << backup << "\n";
  }
}

}  // namespace

void PrintAuditText(const AuditReport& report, std::ostream& out) {
  for (const DatabaseAudit& database : report.databases) {
    out << database.path << "  (replica " << database.replica_id << ", " << database.documents
        << " documents, " << database.findings.size() << " with findings)\n";
    for (const DocumentFindings& document : database.findings) {
      PrintDocument(document, out);
    }
  }
  const AuditTotals totals = Totals(report);
  out << "totals: " << totals.databases << " databases, " << totals.documents << " documents, "
      << totals.hidden << " hidden paragraphs, " << totals.broken_links << " broken links\n";
}

}  // namespace quendral::report
