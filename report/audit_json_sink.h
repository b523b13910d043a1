// The JSON report of an audit, written as it goes: byte for byte what
// AuditJson(...).dump(2) gives for the same audit. A database's entry names
// its document count before its findings, so its findings are held back
// (report/spill_buffer.h) until the database ends; the totals close the run.
#ifndef QUENDRAL_REPORT_AUDIT_JSON_SINK_H_
#define QUENDRAL_REPORT_AUDIT_JSON_SINK_H_

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "report/audit_sink.h"
#include "report/spill_buffer.h"

namespace quendral::report {

class JsonAuditSink : public AuditSink {
 public:
  explicit JsonAuditSink(std::ostream& out) : out_(out) {}

  void BeginRun(const AuditRun& run) override;
  void BeginSource(const AuditSource& source) override;
  void Document(const DocumentFindings& findings) override;
  void EndSource(std::int64_t documents) override;
  void FailedSource(const std::string& path, const std::string& reason) override;
  void EndRun() override;

 private:
  std::ostream& out_;
  std::string source_key_ = "path";
  std::optional<std::int64_t> skipped_;
  AuditSource source_;
  std::int64_t findings_ = 0;  // of the current source
  SpillBuffer held_;           // its findings, as they will be printed
  AuditTotals source_totals_;  // its findings, counted
  AuditTotals totals_;         // of the sources ended
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_JSON_SINK_H_
