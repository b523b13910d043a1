// The audit as one web page that needs nothing but a browser: no server, no
// network, its styles and script inside. Totals and charts at the top, then
// the findings as a table that filters as one types and sorts by column,
// then what was run. The page is written as the audit goes: the rows as
// their documents come, the totals and charts, which need the whole run,
// last (the page's styles show them first).
#ifndef QUENDRAL_REPORT_AUDIT_HTML_H_
#define QUENDRAL_REPORT_AUDIT_HTML_H_

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "report/audit_rows.h"
#include "report/audit_sink.h"
#include "report/held_output.h"

namespace quendral::report {

// The page's template (report/assets/audit_page.html), built into the
// program.
extern const std::string_view kAuditPageTemplate;

// `text` with &, <, >, " and ' as character references.
void WriteHtmlEscaped(std::string_view text, std::ostream& out);

// What the page's summary counts.
struct HtmlCounts {
  std::int64_t documents = 0, documents_with_findings = 0, failed_documents = 0, backups = 0;
  std::map<std::string, std::array<std::int64_t, 2>, std::less<>> hidden;  // disabled, enabled
  std::map<std::string, std::int64_t, std::less<>> links;                  // by status
  std::unordered_map<std::string, std::int64_t> broken_by_replica;

  void Add(const DocumentFindings& findings);
  void Add(const HtmlCounts& more);
};

// One database or file of the page: its rows of the table, into `output`,
// and its counts.
class HtmlSource : public AuditSourcePart {
 public:
  HtmlSource(const AuditRows& rows, SourceOutput output)
      : rows_(rows), output_(std::move(output)) {}

  void BeginSource(const AuditSource& source) override;
  void Document(const DocumentFindings& findings) override;
  void EndSource(std::int64_t documents) override { counts_.documents += documents; }
  void FailedSource(const std::string& path, const std::string& reason) override;

  // Unset when the source was not begun (it could not be opened).
  const std::optional<std::string>& path() const { return path_; }
  std::int64_t findings() const { return findings_; }  // rows of the table
  const std::optional<std::pair<std::string, std::string>>& failure() const { return failure_; }
  const HtmlCounts& counts() const { return counts_; }
  SourceOutput& output() { return output_; }
  // Ready for the next source; what was written stays where it went.
  void Clear();

 private:
  void WriteRows(std::string_view source, const DocumentFindings& findings);

  AuditRows rows_;
  SourceOutput output_;
  std::optional<std::string> path_;
  std::int64_t findings_ = 0;
  std::optional<std::pair<std::string, std::string>> failure_;  // path, reason
  HtmlCounts counts_;
};

class HtmlAuditSink : public AuditSink {
 public:
  explicit HtmlAuditSink(std::ostream& out);

  void BeginRun(const AuditRun& run) override;
  void BeginSource(const AuditSource& source) override { current_->BeginSource(source); }
  void Document(const DocumentFindings& findings) override { current_->Document(findings); }
  void EndSource(std::int64_t documents) override;
  void FailedSource(const std::string& path, const std::string& reason) override;
  void EndRun() override;
  std::unique_ptr<AuditSink> NewSourcePart() override;
  void MergeSourcePart(AuditSink& part) override;

 private:
  // Counts of one database or file, for the chart of findings.
  struct SourceCount {
    std::string path;
    std::int64_t findings = 0;
  };
  using Counts = std::vector<std::pair<std::string_view, std::int64_t>>;

  void WriteRunFacts(const AuditRun& run);
  void WriteColumns();
  void WriteSummary();
  void WriteTotals();
  void WriteBreakdowns();
  void WriteCharts();
  void WriteFailures();
  void WriteTotal(std::string_view key, std::int64_t value, std::string_view label);
  void WriteBarChart(std::string_view title, Counts counts, AuditColumn column,
                     std::string_view condition, std::string_view empty);

  std::ostream& out_;
  std::vector<std::string_view> template_;  // the pieces between the slots
  std::optional<AuditRows> rows_;
  std::string source_title_;             // "databases" or "files"
  std::optional<std::int64_t> skipped_;  // files passed over, for a run over files
  std::optional<HtmlSource> current_;    // writes straight to `out_`

  std::vector<SourceCount> sources_;
  std::vector<std::pair<std::string, std::string>> failed_;  // path, reason
  HtmlCounts counts_;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_HTML_H_
