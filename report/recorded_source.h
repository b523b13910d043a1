// One source of an audit, as its calls were made, held to be made again on
// another sink: what a worker fills for a format that has no part of its
// own (AuditSink::NewSourcePart). The record is held in a
// report/spill_buffer.h, so that a source with many findings costs little
// memory.
#ifndef QUENDRAL_REPORT_RECORDED_SOURCE_H_
#define QUENDRAL_REPORT_RECORDED_SOURCE_H_

#include <cstdint>
#include <string>

#include "report/audit_sink.h"
#include "report/spill_buffer.h"

namespace quendral::report {

class RecordedSource : public AuditSourcePart {
 public:
  void BeginSource(const AuditSource& source) override;
  void Document(const DocumentFindings& findings) override;
  void EndSource(std::int64_t documents) override;
  void FailedSource(const std::string& path, const std::string& reason) override;

  // Makes the recorded calls on `sink`, and drops them.
  void Replay(AuditSink& sink);

 private:
  SpillBuffer held_;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_RECORDED_SOURCE_H_
