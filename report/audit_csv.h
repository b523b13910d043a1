// The findings of an audit as a spreadsheet: one row per finding, with the
// columns of the web page's table, quoted as RFC 4180 has it, in UTF-8 with
// a byte-order mark (without one, spreadsheets take the text for the
// system's code page). Rows are written as their documents come.
#ifndef QUENDRAL_REPORT_AUDIT_CSV_H_
#define QUENDRAL_REPORT_AUDIT_CSV_H_

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "report/audit_rows.h"
#include "report/audit_sink.h"
#include "report/held_output.h"

namespace quendral::report {

// The rows of one source, into `output`.
class CsvSource : public AuditSourcePart {
 public:
  CsvSource(const AuditRows& rows, SourceOutput output) : rows_(rows), output_(std::move(output)) {}

  void BeginSource(const AuditSource& source) override { source_ = source.path; }
  void Document(const DocumentFindings& findings) override;
  void EndSource(std::int64_t) override {}
  // A row of its own, so that the sheet does not pass over it in silence.
  void FailedSource(const std::string& path, const std::string& reason) override;

  SourceOutput& output() { return output_; }

 private:
  AuditRows rows_;
  SourceOutput output_;
  std::string source_;
};

class CsvAuditSink : public AuditSink {
 public:
  explicit CsvAuditSink(std::ostream& out) : out_(out) {}

  void BeginRun(const AuditRun& run) override;
  void BeginSource(const AuditSource& source) override { current_->BeginSource(source); }
  void Document(const DocumentFindings& findings) override { current_->Document(findings); }
  void EndSource(std::int64_t) override {}
  void FailedSource(const std::string& path, const std::string& reason) override {
    current_->FailedSource(path, reason);
  }
  void EndRun() override { out_.flush(); }
  std::unique_ptr<AuditSink> NewSourcePart() override;
  void MergeSourcePart(AuditSink& part) override;

 private:
  std::ostream& out_;
  std::optional<AuditRows> rows_;
  std::optional<CsvSource> current_;  // writes straight to `out_`
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_CSV_H_
