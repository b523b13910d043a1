#include "report/held_source_sink.h"

namespace quendral::report {

void HeldSourceSink::BeginRun(const AuditRun& run) {
  source_key_ = run.source_key;
  skipped_ = run.skipped;
}

void HeldSourceSink::BeginSource(const AuditSource& source) {
  source_ = source;
  findings_ = 0;
  source_totals_ = {};
  held_.Clear();
}

void HeldSourceSink::Document(const DocumentFindings& findings) {
  held_.Write(FormatDocument(findings, findings_++));
  source_totals_.Add(findings);
}

void HeldSourceSink::EndSource(std::int64_t documents) {
  WriteSource(documents);
  held_.Clear();
  source_totals_.databases = 1;
  source_totals_.documents = documents;
  totals_.Add(source_totals_);
}

void HeldSourceSink::FailedSource(const std::string&, const std::string&) { held_.Clear(); }

}  // namespace quendral::report
