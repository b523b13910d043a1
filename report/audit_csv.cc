#include "report/audit_csv.h"

#include <span>
#include <string_view>
#include <vector>

namespace quendral::report {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether a spreadsheet would take a cell beginning with `c` for a formula
// to compute. Findings come from the documents audited: a hide-when formula
// such as "@Command(...)" must stay text.
bool StartsFormula(char c) {
  return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// Quoted when it holds a separator, a quote or a line break, or is guarded
// with an apostrophe against being computed; quotes doubled.
void WriteField(std::string_view text, std::ostream& out) {
  const bool guard = !text.empty() && StartsFormula(text.front());
  if (!guard && text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out << text;
    return;
  }
  out.put('"');
  if (guard) {
    out.put('\'');
  }
  for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
    out.write(text.data(), static_cast<std::streamsize>(quote + 1));
    out.put('"');
    text.remove_prefix(quote + 1);
  }
  out << text << '"';
}

void WriteRow(std::span<const std::string_view> cells, std::ostream& out) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) {
      out.put(',');
    }
    WriteField(cells[i], out);
  }
  out << "\r\n";
}

}  // namespace

void CsvSource::Document(const DocumentFindings& findings) {
  rows_.ForEach(source_, findings, [this](std::span<const std::string_view> cells) {
    WriteRow(cells, output_.out());
  });
}

void CsvSource::FailedSource(const std::string& path, const std::string& reason) {
  DocumentFindings failure;
  failure.extra["error"] = reason;
  rows_.ForEach(path, failure, [this](std::span<const std::string_view> cells) {
    WriteRow(cells, output_.out());
  });
}

void CsvAuditSink::BeginRun(const AuditRun& run) {
  rows_.emplace(run.source_key, !run.user.empty());
  current_.emplace(*rows_, SourceOutput(out_));
  out_ << kByteOrderMark;
  std::vector<std::string_view> titles;
  for (const AuditColumn column : rows_->Columns()) {
    titles.push_back(rows_->Title(column));
  }
  WriteRow(titles, out_);
}

std::unique_ptr<AuditSink> CsvAuditSink::NewSourcePart() {
  return std::make_unique<CsvSource>(*rows_, SourceOutput());
}

void CsvAuditSink::MergeSourcePart(AuditSink& part) {
  static_cast<CsvSource&>(part).output().HandOn(out_);
}

}  // namespace quendral::report
