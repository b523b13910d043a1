#include "report/audit_html.h"

#include <algorithm>
#include <stdexcept>

namespace quendral::report {
namespace {

// The slots of the template, in the order the page is written.
constexpr std::array<std::string_view, 4> kSlots = {"<!--@run-->", "<!--@columns-->",
                                                    "<!--@rows-->", "<!--@summary-->"};

// The most bars a chart shows; the rest are named by their number only.
constexpr std::size_t kMostBars = 20;
// The longest label of a bar, in bytes; longer ones keep their end.
constexpr std::size_t kLongestLabel = 48;

std::vector<std::string_view> TemplatePieces(std::string_view page) {
  std::vector<std::string_view> pieces;
  for (const std::string_view slot : kSlots) {
    const std::size_t at = page.find(slot);
    if (at == std::string_view::npos) {
      throw std::logic_error("the audit page's template has no slot " + std::string(slot));
    }
    pieces.push_back(page.substr(0, at));
    page.remove_prefix(at + slot.size());
  }
  pieces.push_back(page);
  return pieces;
}

// `text` as a component of the page's address, every byte but the
// unreserved ones as %XX.
void WritePercentEncoded(std::string_view text, std::ostream& out) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~') {
      out.put(c);
    } else {
      out << '%' << kHex[byte >> 4] << kHex[byte & 0xF];
    }
  }
}

// The end of a long label, cut where a UTF-8 character begins.
std::string_view Shortened(std::string_view label, bool* cut) {
  *cut = label.size() > kLongestLabel;
  if (!*cut) {
    return label;
  }
  std::size_t from = label.size() - kLongestLabel;
  while (from < label.size() && (static_cast<unsigned char>(label[from]) & 0xC0) == 0x80) {
    ++from;
  }
  return label.substr(from);
}

}  // namespace

void WriteHtmlEscaped(std::string_view text, std::ostream& out) {
  std::size_t run = 0;  // the start of the bytes not written yet
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string_view reference;
    switch (text[i]) {
      case '&':
        reference = "&amp;";
        break;
      case '<':
        reference = "&lt;";
        break;
      case '>':
        reference = "&gt;";
        break;
      case '"':
        reference = "&quot;";
        break;
      case '\'':
        reference = "&#39;";
        break;
      default:
        continue;
    }
    out.write(text.data() + run, static_cast<std::streamsize>(i - run)) << reference;
    run = i + 1;
  }
  out.write(text.data() + run, static_cast<std::streamsize>(text.size() - run));
}

HtmlAuditSink::HtmlAuditSink(std::ostream& out)
    : out_(out), template_(TemplatePieces(kAuditPageTemplate)) {}

void HtmlAuditSink::BeginRun(const AuditRun& run) {
  rows_.emplace(run.source_key, !run.user.empty());
  source_title_ = run.source_key == "file" ? "files" : "databases";
  skipped_ = run.skipped;
  out_ << template_[0];
  WriteRunFacts(run);
  out_ << template_[1];
  WriteColumns();
  out_ << template_[2];
  current_.emplace(*rows_, SourceOutput(out_));
}

void HtmlAuditSink::WriteRunFacts(const AuditRun& run) {
  out_ << "<dl class=\"run\">\n<dt>Command</dt><dd><code>quendral ";
  WriteHtmlEscaped(run.command, out_);
  out_ << "</code></dd>\n<dt>Options</dt><dd>";
  for (const auto& [name, value] : run.options) {
    out_ << "<code>";
    WriteHtmlEscaped(name, out_);
    if (!value.empty()) {
      out_ << ' ';
      WriteHtmlEscaped(value, out_);
    }
    out_ << "</code> ";
  }
  out_ << "</dd>\n<dt>Started</dt><dd><time>";
  WriteHtmlEscaped(run.started, out_);
  out_ << "</time></dd>\n<dt>Version</dt><dd>QUENDRAL ";
  WriteHtmlEscaped(run.version, out_);
  out_ << "</dd>\n</dl>\n";
}

void HtmlAuditSink::WriteColumns() {
  out_ << "<tr>";
  for (const AuditColumn column : rows_->Columns()) {
    out_ << "<th aria-sort=\"none\"><button type=\"button\">";
    WriteHtmlEscaped(rows_->Title(column), out_);
    out_ << "</button></th>";
  }
  out_ << "</tr>\n";
}

void HtmlCounts::Add(const DocumentFindings& findings) {
  if (!DocumentError(findings).empty()) {
    ++failed_documents;
  }
  if (!findings.Empty()) {
    ++documents_with_findings;
  }
  for (const HiddenParagraph& paragraph : findings.hidden) {
    const std::string_view kind = HiddenKind(paragraph);
    auto found = hidden.find(kind);
    if (found == hidden.end()) {
      found = hidden.emplace(std::string(kind), std::array<std::int64_t, 2>{}).first;
    }
    ++found->second[paragraph.enabled ? 1 : 0];
  }
  for (const LinkFinding& link : findings.links) {
    auto found = links.find(link.status);
    if (found == links.end()) {
      found = links.emplace(std::string(link.status), 0).first;
    }
    ++found->second;
    if (link.Broken()) {
      ++broken_by_replica[link.replica_id];
    }
  }
  backups += static_cast<std::int64_t>(findings.backups.size());
}

void HtmlCounts::Add(const HtmlCounts& more) {
  documents += more.documents;
  documents_with_findings += more.documents_with_findings;
  failed_documents += more.failed_documents;
  backups += more.backups;
  for (const auto& [kind, counts] : more.hidden) {
    auto& sum = hidden[kind];
    sum[0] += counts[0];
    sum[1] += counts[1];
  }
  for (const auto& [status, count] : more.links) {
    links[status] += count;
  }
  for (const auto& [replica, count] : more.broken_by_replica) {
    broken_by_replica[replica] += count;
  }
}

void HtmlSource::BeginSource(const AuditSource& source) { path_ = source.path; }

void HtmlSource::Document(const DocumentFindings& findings) {
  counts_.Add(findings);
  findings_ += static_cast<std::int64_t>(AuditRows::RowCount(findings));
  WriteRows(path_ ? std::string_view(*path_) : std::string_view(), findings);
}

void HtmlSource::FailedSource(const std::string& path, const std::string& reason) {
  failure_.emplace(path, reason);
  DocumentFindings failure;
  failure.extra["error"] = reason;
  WriteRows(path, failure);
}

void HtmlSource::WriteRows(std::string_view source, const DocumentFindings& findings) {
  std::ostream& out = output_.out();
  rows_.ForEach(source, findings, [&out](std::span<const std::string_view> cells) {
    out << "<tr>";
    for (const std::string_view cell : cells) {
      out << "<td>";
      WriteHtmlEscaped(cell, out);
      out << "</td>";
    }
    out << "</tr>\n";
  });
}

void HtmlSource::Clear() {
  path_.reset();
  findings_ = 0;
  failure_.reset();
  counts_ = {};
}

void HtmlAuditSink::EndSource(std::int64_t documents) {
  current_->EndSource(documents);
  MergeSourcePart(*current_);
}

void HtmlAuditSink::FailedSource(const std::string& path, const std::string& reason) {
  current_->FailedSource(path, reason);
  MergeSourcePart(*current_);
}

std::unique_ptr<AuditSink> HtmlAuditSink::NewSourcePart() {
  return std::make_unique<HtmlSource>(*rows_, SourceOutput());
}

void HtmlAuditSink::MergeSourcePart(AuditSink& part) {
  auto& source = static_cast<HtmlSource&>(part);
  source.output().HandOn(out_);
  if (source.path()) {
    sources_.push_back({*source.path(), source.findings()});
  }
  if (source.failure()) {
    failed_.push_back(*source.failure());
  }
  counts_.Add(source.counts());
  source.Clear();
}

void HtmlAuditSink::EndRun() {
  out_ << template_[3];
  WriteSummary();
  out_ << template_[4];
  out_.flush();
}

void HtmlAuditSink::WriteSummary() {
  WriteTotals();
  WriteBreakdowns();
  WriteCharts();
  WriteFailures();
}

void HtmlAuditSink::WriteTotal(std::string_view key, std::int64_t value, std::string_view label) {
  out_ << "<div class=\"total\"><span class=\"number\" data-total=\"" << key << "\">" << value
       << "</span> <span class=\"label\">" << label << "</span></div>\n";
}

void HtmlAuditSink::WriteTotals() {
  std::int64_t hidden = 0, broken = 0;
  for (const auto& [kind, counts] : counts_.hidden) {
    hidden += counts[1];
  }
  for (const auto& [status, count] : counts_.links) {
    broken += status == kLinkOk ? 0 : count;
  }
  out_ << "<div class=\"totals\">\n";
  WriteTotal("databases", static_cast<std::int64_t>(sources_.size()), source_title_);
  WriteTotal("documents", counts_.documents, "documents");
  WriteTotal("documents_with_findings", counts_.documents_with_findings, "documents with findings");
  WriteTotal("hidden", hidden, "hidden paragraphs to neutralise");
  WriteTotal("broken_links", broken, "broken links");
  WriteTotal("backups", counts_.backups, "link backups");
  WriteTotal("failed_documents", counts_.failed_documents, "documents that failed");
  if (skipped_) {
    WriteTotal("skipped", *skipped_, "files that are not exports, passed over");
  }
  if (!failed_.empty()) {
    WriteTotal("failed_sources", static_cast<std::int64_t>(failed_.size()),
               source_title_ + " that failed");
  }
  out_ << "</div>\n";
}

void HtmlAuditSink::WriteBreakdowns() {
  out_ << "<div class=\"breakdowns\">\n<table class=\"breakdown\" id=\"hidden-by-kind\">"
          "<caption>Hidden paragraphs by kind</caption>\n"
          "<thead><tr><th>Kind</th><th>Enabled</th><th>Disabled</th></tr></thead><tbody>\n";
  for (const std::string_view kind : {"paragraph", "action", "binary"}) {
    if (!counts_.hidden.contains(kind)) {
      counts_.hidden.emplace(std::string(kind), std::array<std::int64_t, 2>{});
    }
  }
  for (const auto& [kind, counts] : counts_.hidden) {
    out_ << "<tr><th>";
    WriteHtmlEscaped(kind, out_);
    out_ << "</th><td>" << counts[1] << "</td><td>" << counts[0] << "</td></tr>\n";
  }
  out_ << "</tbody></table>\n<table class=\"breakdown\" id=\"links-by-status\">"
          "<caption>Links by status</caption>\n"
          "<thead><tr><th>Status</th><th>Links</th></tr></thead><tbody>\n";
  for (const auto& [status, count] : counts_.links) {
    out_ << "<tr><th>";
    WriteHtmlEscaped(status, out_);
    out_ << "</th><td>" << count << "</td></tr>\n";
  }
  if (counts_.links.empty()) {
    out_ << "<tr><th>none</th><td>0</td></tr>\n";
  }
  out_ << "</tbody></table>\n</div>\n";
}

void HtmlAuditSink::WriteCharts() {
  out_ << "<div class=\"charts\">\n";
  Counts findings;
  for (const SourceCount& source : sources_) {
    if (source.findings > 0) {
      findings.emplace_back(source.path, source.findings);
    }
  }
  WriteBarChart("Findings per " + source_title_.substr(0, source_title_.size() - 1),
                std::move(findings), AuditColumn::kSource, "", "No findings.");
  Counts broken(counts_.broken_by_replica.begin(), counts_.broken_by_replica.end());
  const std::string only_broken =
      "&" + std::to_string(rows_->IndexOf(AuditColumn::kStatus)) + "!" + kLinkOk;
  WriteBarChart("Broken links by the replica they point at", std::move(broken),
                AuditColumn::kLinkReplica, only_broken, "No broken links.");
  out_ << "</div>\n";
}

// Horizontal bars, the largest first; each bar links to its rows of the
// table: those whose cell in `column` is the bar's label and that meet
// `condition` (the page's script reads the address).
void HtmlAuditSink::WriteBarChart(std::string_view title, Counts counts, AuditColumn column,
                                  std::string_view condition, std::string_view empty) {
  constexpr int kWidth = 720, kLabelWidth = 330, kBarsWidth = 320, kRow = 24;
  out_ << "<figure class=\"chart\"><figcaption>" << title << "</figcaption>\n";
  if (counts.empty()) {
    out_ << "<p class=\"empty\">" << empty << "</p></figure>\n";
    return;
  }
  const std::size_t shown = std::min(counts.size(), kMostBars);
  std::partial_sort(counts.begin(), counts.begin() + static_cast<std::ptrdiff_t>(shown),
                    counts.end(), [](const auto& a, const auto& b) {
                      return a.second != b.second ? a.second > b.second : a.first < b.first;
                    });
  const std::size_t column_index = rows_->IndexOf(column);
  const std::int64_t most = counts.front().second;
  const int height = static_cast<int>(shown) * kRow;
  out_ << "<svg viewBox=\"0 0 " << kWidth << ' ' << height << "\" width=\"" << kWidth
       << "\" height=\"" << height << "\" role=\"img\" aria-label=\"" << title << "\">\n";
  for (std::size_t i = 0; i < shown; ++i) {
    const auto& [label, count] = counts[i];
    const int y = static_cast<int>(i) * kRow;
    const auto bar = static_cast<int>(std::max<std::int64_t>(1, count * kBarsWidth / most));
    out_ << "<a class=\"bar\" data-count=\"" << count << "\" href=\"#where=" << column_index << ':';
    WritePercentEncoded(label, out_);
    out_ << condition << "\"><title>";
    WriteHtmlEscaped(label, out_);
    out_ << ": " << count << "</title><text x=\"" << kLabelWidth - 8 << "\" y=\"" << y + 17
         << "\" text-anchor=\"end\">";
    bool cut = false;
    const std::string_view text = Shortened(label, &cut);
    out_ << (cut ? "\xE2\x80\xA6" : "");
    WriteHtmlEscaped(text, out_);
    out_ << "</text><rect x=\"" << kLabelWidth << "\" y=\"" << y + 4 << "\" width=\"" << bar
         << "\" height=\"" << kRow - 8 << "\"/><text class=\"count\" x=\"" << kLabelWidth + bar + 6
         << "\" y=\"" << y + 17 << "\">" << count << "</text></a>\n";
  }
  out_ << "</svg>\n";
  if (counts.size() > shown) {
    out_ << "<p class=\"more\">and " << counts.size() - shown << " more</p>\n";
  }
  out_ << "</figure>\n";
}

void HtmlAuditSink::WriteFailures() {
  if (failed_.empty()) {
    return;
  }
  out_ << "<div class=\"failures\"><h3>" << (source_title_ == "files" ? "Files" : "Databases")
       << " that could not be audited</h3><ul>\n";
  for (const auto& [path, reason] : failed_) {
    out_ << "<li><code>";
    WriteHtmlEscaped(path, out_);
    out_ << "</code>: ";
    WriteHtmlEscaped(reason, out_);
    out_ << "</li>\n";
  }
  out_ << "</ul></div>\n";
}

}  // namespace quendral::report
