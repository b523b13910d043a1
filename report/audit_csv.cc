#include "report/audit_csv.h"

namespace quendral::report {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether a spreadsheet would take a cell beginning with `c` for a formula
// to compute. Findings come from the documents audited: a hide-when formula
// such as "@Command(...)" must stay text.
bool StartsFormula(char c) {
  return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

}  // namespace

void CsvAuditSink::BeginRun(const AuditRun& run) {
  rows_.emplace(run.source_key, !run.user.empty());
  out_ << kByteOrderMark;
  std::vector<std::string_view> titles;
  for (const AuditColumn column : rows_->Columns()) {
    titles.push_back(rows_->Title(column));
  }
  WriteRow(titles);
}

void CsvAuditSink::BeginSource(const AuditSource& source) { source_ = source.path; }

void CsvAuditSink::Document(const DocumentFindings& findings) {
  rows_->ForEach(source_, findings,
                 [this](std::span<const std::string_view> cells) { WriteRow(cells); });
}

void CsvAuditSink::FailedSource(const std::string& path, const std::string& reason) {
  DocumentFindings failure;
  failure.extra["error"] = reason;
  rows_->ForEach(path, failure,
                 [this](std::span<const std::string_view> cells) { WriteRow(cells); });
}

void CsvAuditSink::WriteRow(std::span<const std::string_view> cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) {
      out_.put(',');
    }
    WriteField(cells[i]);
  }
  out_ << "\r\n";
}

// Quoted when it holds a separator, a quote or a line break, or is guarded
// with an apostrophe against being computed; quotes doubled.
void CsvAuditSink::WriteField(std::string_view text) {
  const bool guard = !text.empty() && StartsFormula(text.front());
  if (!guard && text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out_ << text;
    return;
  }
  out_.put('"');
  if (guard) {
    out_.put('\'');
  }
  for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
    out_.write(text.data(), static_cast<std::streamsize>(quote + 1));
    out_.put('"');
    text.remove_prefix(quote + 1);
  }
  out_ << text << '"';
}

}  // namespace quendral::report
