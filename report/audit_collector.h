// An audit gathered whole in memory, for callers that want the report as
// one value (small audits, tests) rather than as it goes.
#ifndef QUENDRAL_REPORT_AUDIT_COLLECTOR_H_
#define QUENDRAL_REPORT_AUDIT_COLLECTOR_H_

#include <string>

#include "report/audit_sink.h"

namespace quendral::report {

class AuditCollector : public AuditSink {
 public:
  void BeginRun(const AuditRun& run) override { report_.source_key = run.source_key; }
  void BeginSource(const AuditSource& source) override {
    current_ = {source.path, source.replica_id, 0, {}};
  }
  void Document(const DocumentFindings& findings) override {
    current_.findings.push_back(findings);
  }
  void EndSource(std::int64_t documents) override {
    current_.documents = documents;
    report_.databases.push_back(std::move(current_));
  }
  void FailedSource(const std::string&, const std::string&) override { current_ = {}; }
  void EndRun() override {}

  const AuditReport& report() const { return report_; }
  // The last source ended.
  const DatabaseAudit& last() const { return report_.databases.back(); }

 private:
  DatabaseAudit current_;
  AuditReport report_;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_COLLECTOR_H_
