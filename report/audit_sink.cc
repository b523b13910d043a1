#include "report/audit_sink.h"

#include "report/recorded_source.h"

namespace quendral::report {

std::unique_ptr<AuditSink> AuditSink::NewSourcePart() { return std::make_unique<RecordedSource>(); }

void AuditSink::MergeSourcePart(AuditSink& part) {
  static_cast<RecordedSource&>(part).Replay(*this);
}

}  // namespace quendral::report
