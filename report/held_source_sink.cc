#include "report/held_source_sink.h"

namespace quendral::report {

void HeldSource::BeginSource(const AuditSource& source) {
  Clear();
  source_ = source;
}

void HeldSource::Document(const DocumentFindings& findings) {
  held_.Write(format_.FormatDocument(findings, findings_++));
  totals_.Add(findings);
}

void HeldSource::EndSource(std::int64_t documents) {
  documents_ = documents;
  totals_.databases = 1;
  totals_.documents = documents;
}

void HeldSource::FailedSource(const std::string&, const std::string&) { Clear(); }

void HeldSource::Clear() {
  findings_ = 0;
  documents_.reset();
  held_.Clear();
  totals_ = {};
}

void HeldSourceSink::BeginRun(const AuditRun& run) {
  source_key_ = run.source_key;
  skipped_ = run.skipped;
}

void HeldSourceSink::BeginSource(const AuditSource& source) { current_.BeginSource(source); }

void HeldSourceSink::Document(const DocumentFindings& findings) { current_.Document(findings); }

void HeldSourceSink::EndSource(std::int64_t documents) {
  current_.EndSource(documents);
  MergeSourcePart(current_);
}

void HeldSourceSink::FailedSource(const std::string& path, const std::string& reason) {
  current_.FailedSource(path, reason);
}

std::unique_ptr<AuditSink> HeldSourceSink::NewSourcePart() {
  return std::make_unique<HeldSource>(*this);
}

// A source that failed, or whose audit stopped before its end, is left out.
void HeldSourceSink::MergeSourcePart(AuditSink& part) {
  auto& source = static_cast<HeldSource&>(part);
  if (source.documents()) {
    WriteSource(source);
    totals_.Add(source.totals());
  }
  source.Clear();
}

}  // namespace quendral::report
