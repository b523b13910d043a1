#include "report/audit_text_sink.h"

#include <ostream>
#include <sstream>

namespace quendral::report {

std::string TextAuditSink::FormatDocument(const DocumentFindings& findings, std::int64_t) {
  std::ostringstream text;
  PrintDocument(findings, width_, text);
  return std::move(text).str();
}

void TextAuditSink::WriteSource(std::int64_t documents) {
  DatabaseAudit heading;
  heading.path = source_.path;
  heading.replica_id = source_.replica_id;
  heading.documents = documents;
  PrintSourceHeading(heading, static_cast<std::size_t>(findings_), width_, out_);
  CopyHeldTo(out_);
}

void TextAuditSink::EndRun() {
  PrintTotals(totals_, source_key_, out_);
  if (skipped_.value_or(0) > 0) {
    out_ << "skipped: " << *skipped_ << " files that are not exports\n";
  }
  out_.flush();
}

}  // namespace quendral::report
