// What the JSON and text reports share: a source's heading tells how many of
// its documents have findings, so its documents are held back, as they will
// be printed, until the source ends (report/spill_buffer.h); the totals of
// the sources ended close the run. A source is formatted in a part of its
// own (HeldSource), on a worker's thread when sources are audited at once.
#ifndef QUENDRAL_REPORT_HELD_SOURCE_SINK_H_
#define QUENDRAL_REPORT_HELD_SOURCE_SINK_H_

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "report/audit_sink.h"
#include "report/spill_buffer.h"

namespace quendral::report {

class HeldSourceSink;

// One source of the report: its documents as printed and its findings
// counted.
class HeldSource : public AuditSourcePart {
 public:
  explicit HeldSource(const HeldSourceSink& format) : format_(format) {}

  void BeginSource(const AuditSource& source) override;
  void Document(const DocumentFindings& findings) override;
  void EndSource(std::int64_t documents) override;
  void FailedSource(const std::string& path, const std::string& reason) override;

  const AuditSource& source() const { return source_; }
  std::int64_t findings() const { return findings_; }  // documents with findings
  // Unset until the source ends, and for a source that failed.
  std::optional<std::int64_t> documents() const { return documents_; }
  const AuditTotals& totals() const { return totals_; }
  // Writes the documents held to `out`.
  void CopyHeldTo(std::ostream& out) { held_.CopyTo(out); }
  void Clear();

 private:
  const HeldSourceSink& format_;
  AuditSource source_;
  std::int64_t findings_ = 0;
  std::optional<std::int64_t> documents_;
  SpillBuffer held_;
  AuditTotals totals_;
};

class HeldSourceSink : public AuditSink {
 public:
  void BeginRun(const AuditRun& run) override;
  void BeginSource(const AuditSource& source) final;
  void Document(const DocumentFindings& findings) final;
  void EndSource(std::int64_t documents) final;
  // The report lists only the sources audited; the caller tells why the
  // others were not.
  void FailedSource(const std::string& path, const std::string& reason) final;
  std::unique_ptr<AuditSink> NewSourcePart() final;
  void MergeSourcePart(AuditSink& part) final;

  // The document as printed, the source's `index`-th with findings; called
  // on the workers' threads.
  virtual std::string FormatDocument(const DocumentFindings& findings,
                                     std::int64_t index) const = 0;

 protected:
  explicit HeldSourceSink(std::ostream& out) : out_(out) {}

  // Prints the ended source with its held documents.
  virtual void WriteSource(HeldSource& source) = 0;

  std::ostream& out_;
  std::string source_key_ = "path";
  std::optional<std::int64_t> skipped_;
  AuditTotals totals_;  // of the sources ended

 private:
  HeldSource current_{*this};  // the source begun, when they come one by one
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_HELD_SOURCE_SINK_H_
