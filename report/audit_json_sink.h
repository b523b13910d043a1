// The JSON report of an audit, written as it goes: byte for byte what
// AuditJson(...).dump(2) gives for the same audit. A database's entry names
// its document count before its findings, so its findings are held back
// (report/spill_buffer.h) until the database ends; the totals close the run.
#ifndef QUENDRAL_REPORT_AUDIT_JSON_SINK_H_
#define QUENDRAL_REPORT_AUDIT_JSON_SINK_H_

#include <cstdint>
#include <iosfwd>
#include <string>

#include "report/held_source_sink.h"

namespace quendral::report {

class JsonAuditSink : public HeldSourceSink {
 public:
  explicit JsonAuditSink(std::ostream& out) : HeldSourceSink(out) {}

  void BeginRun(const AuditRun& run) override;
  void EndRun() override;
  std::string FormatDocument(const DocumentFindings& findings, std::int64_t index) const override;

 private:
  void WriteSource(HeldSource& source) override;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_JSON_SINK_H_
