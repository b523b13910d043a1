// The readable report of an audit, written as it goes: what PrintAuditText
// prints for the same audit. A database's heading counts its documents, so
// its documents are held back (report/spill_buffer.h) until it ends.
#ifndef QUENDRAL_REPORT_AUDIT_TEXT_SINK_H_
#define QUENDRAL_REPORT_AUDIT_TEXT_SINK_H_

#include <cstdint>
#include <iosfwd>
#include <string>

#include "report/audit_sink.h"
#include "report/spill_buffer.h"

namespace quendral::report {

class TextAuditSink : public AuditSink {
 public:
  // Lines are cut to `width` characters unless it is 0.
  explicit TextAuditSink(std::ostream& out, std::size_t width = 0) : out_(out), width_(width) {}

  void BeginRun(const AuditRun& run) override {
    source_key_ = run.source_key;
    skipped_ = run.skipped.value_or(0);
  }
  void BeginSource(const AuditSource& source) override;
  void Document(const DocumentFindings& findings) override;
  void EndSource(std::int64_t documents) override;
  void FailedSource(const std::string& path, const std::string& reason) override;
  void EndRun() override;

 private:
  std::ostream& out_;
  std::size_t width_;
  std::string source_key_ = "path";
  std::int64_t skipped_ = 0;
  AuditSource source_;
  std::size_t findings_ = 0;   // of the current source
  SpillBuffer held_;           // its documents, as they will be printed
  AuditTotals source_totals_;  // its findings, counted
  AuditTotals totals_;         // of the sources ended
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_TEXT_SINK_H_
