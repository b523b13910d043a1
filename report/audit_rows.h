// The findings of an audit as the rows of one table: a row for each hidden
// paragraph, link, link backup and document that could not be read. The web
// page and the spreadsheet show the same columns in the same order.
#ifndef QUENDRAL_REPORT_AUDIT_ROWS_H_
#define QUENDRAL_REPORT_AUDIT_ROWS_H_

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/audit_report.h"

namespace quendral::report {

enum class AuditColumn {
  kSource,  // the database or the file
  kDocument,
  kForm,
  kFinding,
  kItem,
  kPardef,
  kFormula,
  kHides,  // only when the formulas were evaluated for a user
  kLinkReplica,
  kLinkDocument,
  kStatus,
};

// What a hidden paragraph is: "paragraph", "action" or "binary"; a finding
// that does not say is a paragraph.
std::string_view HiddenKind(const HiddenParagraph& paragraph);

// The text of a document's failure to be read; empty when it was read.
std::string_view DocumentError(const DocumentFindings& document);

class AuditRows {
 public:
  // `source_key`: "path" for databases, "file" for exports.
  AuditRows(std::string_view source_key, bool with_hides);

  std::span<const AuditColumn> Columns() const { return columns_; }
  // Where `column` is among the columns; past the end when it is not shown.
  std::size_t IndexOf(AuditColumn column) const;
  std::string_view Title(AuditColumn column) const;

  // Each row of `document`: calls `row(cells)`, one cell per column in
  // order. The cells are valid during the call only.
  static std::size_t RowCount(const DocumentFindings& document);

  template <typename RowFunction>
  void ForEach(std::string_view source, const DocumentFindings& document, RowFunction&& row) {
    const std::size_t rows = RowCount(document);
    for (std::size_t i = 0; i < rows; ++i) {
      Fill(source, document, i);
      row(std::span<const std::string_view>(shown_.data(), columns_.size()));
    }
  }

 private:
  // Makes `shown_` the cells of row `index` of `document`.
  void Fill(std::string_view source, const DocumentFindings& document, std::size_t index);
  void FillHidden(const HiddenParagraph& paragraph);
  void FillLink(const LinkFinding& link);
  std::string_view& Cell(AuditColumn column) { return cells_[static_cast<std::size_t>(column)]; }

  std::string_view source_title_;
  std::vector<AuditColumn> columns_;
  static constexpr std::size_t kColumnCount = static_cast<std::size_t>(AuditColumn::kStatus) + 1;
  std::array<std::string_view, kColumnCount> cells_;  // by column
  std::array<std::string_view, kColumnCount> shown_;  // in the order of `columns_`
  std::string finding_, pardef_, form_;               // texts the cells view
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_ROWS_H_
