// What the JSON and text reports share: a source's heading tells how many of
// its documents have findings, so its documents are held back, as they will
// be printed, until the source ends (report/spill_buffer.h); the totals of
// the sources ended close the run.
#ifndef QUENDRAL_REPORT_HELD_SOURCE_SINK_H_
#define QUENDRAL_REPORT_HELD_SOURCE_SINK_H_

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "report/audit_sink.h"
#include "report/spill_buffer.h"

namespace quendral::report {

class HeldSourceSink : public AuditSink {
 public:
  void BeginRun(const AuditRun& run) override;
  void BeginSource(const AuditSource& source) final;
  void Document(const DocumentFindings& findings) final;
  void EndSource(std::int64_t documents) final;
  // The report lists only the sources audited; the caller tells why the
  // others were not.
  void FailedSource(const std::string& path, const std::string& reason) final;

 protected:
  explicit HeldSourceSink(std::ostream& out) : out_(out) {}

  // The document as printed, the source's `index`-th with findings.
  virtual std::string FormatDocument(const DocumentFindings& findings, std::int64_t index) = 0;
  // Prints the ended source with its held documents (CopyHeldTo).
  virtual void WriteSource(std::int64_t documents) = 0;

  void CopyHeldTo(std::ostream& out) { held_.CopyTo(out); }

  std::ostream& out_;
  std::string source_key_ = "path";
  std::optional<std::int64_t> skipped_;
  AuditSource source_;
  std::int64_t findings_ = 0;  // documents of the current source with findings
  AuditTotals totals_;         // of the sources ended

 private:
  SpillBuffer held_;           // the current source's documents, as printed
  AuditTotals source_totals_;  // its findings, counted
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_HELD_SOURCE_SINK_H_
