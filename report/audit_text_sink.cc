#include "report/audit_text_sink.h"

#include <ostream>
#include <sstream>

namespace quendral::report {

void TextAuditSink::BeginSource(const AuditSource& source) {
  source_ = source;
  findings_ = 0;
  source_totals_ = {};
  held_.Clear();
}

void TextAuditSink::Document(const DocumentFindings& findings) {
  std::ostringstream text;
  PrintDocument(findings, width_, text);
  held_.Write(text.view());
  ++findings_;
  source_totals_.Add(findings);
}

void TextAuditSink::EndSource(std::int64_t documents) {
  DatabaseAudit heading;
  heading.path = source_.path;
  heading.replica_id = source_.replica_id;
  heading.documents = documents;
  PrintSourceHeading(heading, findings_, width_, out_);
  held_.CopyTo(out_);
  held_.Clear();
  source_totals_.databases = 1;
  source_totals_.documents = documents;
  totals_.Add(source_totals_);
}

// The report lists only the databases audited; the caller tells why the
// others were not.
void TextAuditSink::FailedSource(const std::string&, const std::string&) { held_.Clear(); }

void TextAuditSink::EndRun() {
  PrintTotals(totals_, source_key_, out_);
  if (skipped_ > 0) {
    out_ << "skipped: " << skipped_ << " files that are not exports\n";
  }
  out_.flush();
}

}  // namespace quendral::report
