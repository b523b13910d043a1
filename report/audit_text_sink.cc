#include "report/audit_text_sink.h"

#include <ostream>
#include <sstream>

namespace quendral::report {

std::string TextAuditSink::FormatDocument(const DocumentFindings& findings, std::int64_t) const {
  std::ostringstream text;
  PrintDocument(findings, width_, text);
  return std::move(text).str();
}

void TextAuditSink::WriteSource(HeldSource& source) {
  DatabaseAudit heading;
  heading.path = source.source().path;
  heading.replica_id = source.source().replica_id;
  heading.documents = *source.documents();
  PrintSourceHeading(heading, static_cast<std::size_t>(source.findings()), width_, out_);
  source.CopyHeldTo(out_);
}

void TextAuditSink::EndRun() {
  PrintTotals(totals_, source_key_, out_);
  if (skipped_.value_or(0) > 0) {
    out_ << "skipped: " << *skipped_ << " files that are not exports\n";
  }
  out_.flush();
}

}  // namespace quendral::report
