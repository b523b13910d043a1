// The findings of an audit as a spreadsheet: one row per finding, with the
// columns of the web page's table, quoted as RFC 4180 has it, in UTF-8 with
// a byte-order mark (without one, spreadsheets take the text for the
// system's code page). Rows are written as their documents come.
#ifndef QUENDRAL_REPORT_AUDIT_CSV_H_
#define QUENDRAL_REPORT_AUDIT_CSV_H_

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "report/audit_rows.h"
#include "report/audit_sink.h"

namespace quendral::report {

class CsvAuditSink : public AuditSink {
 public:
  explicit CsvAuditSink(std::ostream& out) : out_(out) {}

  void BeginRun(const AuditRun& run) override;
  void BeginSource(const AuditSource& source) override;
  void Document(const DocumentFindings& findings) override;
  void EndSource(std::int64_t) override {}
  // A row of its own, so that the sheet does not pass over it in silence.
  void FailedSource(const std::string& path, const std::string& reason) override;
  void EndRun() override { out_.flush(); }

 private:
  void WriteRow(std::span<const std::string_view> cells);
  void WriteField(std::string_view text);

  std::ostream& out_;
  std::optional<AuditRows> rows_;
  std::string source_;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_CSV_H_
