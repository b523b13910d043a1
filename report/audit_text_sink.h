// The readable report of an audit, written as it goes: what PrintAuditText
// prints for the same audit. A database's heading counts its documents, so
// its documents are held back (report/spill_buffer.h) until it ends.
#ifndef QUENDRAL_REPORT_AUDIT_TEXT_SINK_H_
#define QUENDRAL_REPORT_AUDIT_TEXT_SINK_H_

#include <cstdint>
#include <iosfwd>
#include <string>

#include "report/held_source_sink.h"

namespace quendral::report {

class TextAuditSink : public HeldSourceSink {
 public:
  // Lines are cut to `width` characters unless it is 0.
  explicit TextAuditSink(std::ostream& out, std::size_t width = 0)
      : HeldSourceSink(out), width_(width) {}

  void EndRun() override;
  std::string FormatDocument(const DocumentFindings& findings, std::int64_t index) const override;

 private:
  void WriteSource(HeldSource& source) override;

  std::size_t width_;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_TEXT_SINK_H_
