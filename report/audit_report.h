// What an audit found: per database (or exported file) the documents with
// hidden paragraphs, links that lead nowhere and link backups. The database
// audit and the export audit fill the same shape and print it the same way.
#ifndef QUENDRAL_REPORT_AUDIT_REPORT_H_
#define QUENDRAL_REPORT_AUDIT_REPORT_H_

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendral::report {

// The link statuses an audit gives.
inline constexpr const char* kLinkOk = "ok";
inline constexpr const char* kDatabaseNotFound = "Database was not found";
inline constexpr const char* kDocumentNotFound = "Document was not found";

// A paragraph whose hide-when formula the repair would neutralise.
struct HiddenParagraph {
  std::string item;     // the rich-text item
  std::string formula;  // the formula's text
  // Whether it hides the paragraph now; unset when not evaluated, or when
  // the formula could not be decided (see MarkUndecided).
  std::optional<bool> hides;
  // A disabled formula is reported but not counted: the repair leaves it.
  bool enabled = true;
  // Only compiled, as exports carry rich text they store as records: there
  // is no formula text.
  bool binary = false;
  nlohmann::json extra;  // further keys of the entry: null or an object
};

// Records that the paragraph's formula could not be decided here (it needs
// the live platform, or fails): "hides" is null and "reason" says why.
void MarkUndecided(HiddenParagraph* paragraph, std::string reason);

struct LinkFinding {
  std::string item;  // "$Links", or the rich-text item holding the link
  std::int64_t index = 0;
  std::string replica_id;  // "XXXXXXXX:XXXXXXXX"
  std::string note_unid;
  std::string_view status = kLinkOk;  // one of the statuses above
  nlohmann::json extra;               // null or an object, as above

  bool Broken() const;
};

struct DocumentFindings {
  std::string unid;
  std::vector<HiddenParagraph> hidden;
  std::vector<LinkFinding> links;
  std::vector<std::string> backups;  // names of the link-table backup items
  nlohmann::json extra;              // null or an object, as above

  bool Empty() const;
};

struct DatabaseAudit {
  std::string path;        // database path, or the exported file
  std::string replica_id;  // "XXXXXXXX:XXXXXXXX"
  std::int64_t documents = 0;
  std::vector<DocumentFindings> findings;  // documents with any finding only
};

struct AuditReport {
  // "path" for databases, "file" for exports.
  std::string source_key = "path";
  std::vector<DatabaseAudit> databases;
};

struct AuditTotals {
  std::int64_t databases = 0, documents = 0, hidden = 0, broken_links = 0;

  // Counts the findings of one document.
  void Add(const DocumentFindings& document);
  void Add(const AuditTotals& more);
};
AuditTotals Totals(const AuditReport& report);

// {"databases": [{"path": P, "replica_id": R, "documents": N, "findings":
// [{"unid": U, "hidden": [...], "links": [...], "backups": [...]}]}],
//  "totals": {"databases": D, "documents": N, "hidden": H, "broken_links": B}}
nlohmann::json AuditJson(const AuditReport& report);
// The parts of it: one entry of "findings", and "totals".
nlohmann::json DocumentJson(const DocumentFindings& document);
nlohmann::json TotalsJson(const AuditTotals& totals);

// The same facts for people: a line per database or file, per document with
// findings and per finding, closed by a totals line. Texts of the documents
// stay on their line (report/text_line.h); lines are cut to `width`
// characters unless it is 0.
void PrintAuditText(const AuditReport& report, std::ostream& out, std::size_t width = 0);
// The parts of it: a database's heading, its documents, the closing line.
void PrintSourceHeading(const DatabaseAudit& source, std::size_t with_findings, std::size_t width,
                        std::ostream& out);
void PrintDocument(const DocumentFindings& document, std::size_t width, std::ostream& out);
void PrintTotals(const AuditTotals& totals, std::string_view source_key, std::ostream& out);

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_REPORT_H_
