// The text audit report: one line per finding whatever the texts of the
// documents hold, cut to a width when one is given.
#include <gtest/gtest.h>

#include <sstream>

#include "report/audit_report.h"
#include "report/text_line.h"

namespace quendral::report {
namespace {

TEST(OneLineText, KeepsTextAndEscapesWhatMovesTheCursor) {
  const struct {
    std::string_view text;
    const char* shown;
  } cases[] = {
      {"Status = \"Draft\"", "Status = \"Draft\""},
      {"Grüße €", "Grüße €"},
      {"a\r\nb\nc\rd", "a\u23CEb\u23CEc\u23CEd"},
      {"\n\n", "\u23CE\u23CE"},
      {"x\ty", "x\\ty"},
      {"\x1B[2J\x7F", "\\x1B[2J\\x7F"},
      {std::string_view("nul\0end", 7), "nul\\x00end"},
      {"\xC2\x85 \u2028 \u202E", "\\u{0085} \\u{2028} \\u{202E}"},
      {"bad \xFF \xC3 \xE2\x82", "bad \\xFF \\xC3 \\xE2\\x82"},
      {"\xC0\xAF \xED\xA0\x80", "\\xC0\\xAF \\xED\\xA0\\x80"},  // overlong, surrogate
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OneLineText(c.text), c.shown) << c.text;
  }
}

TEST(CutToWidth, CutsCharactersNotBytes) {
  const struct {
    const char* line;
    std::size_t width;
    const char* cut;
  } cases[] = {
      {"abcdef", 0, "abcdef"}, {"abcdef", 6, "abcdef"},  {"abcdef", 5, "abcd\u2026"},
      {"abcdef", 1, "\u2026"}, {"ééééé", 3, "éé\u2026"}, {"a\u23CEb\u23CEc", 4, "a\u23CEb\u2026"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CutToWidth(c.line, c.width), c.cut) << c.line << " " << c.width;
  }
}

// A report whose formula tries to pass for the totals line and a document.
AuditReport ForgingReport() {
  HiddenParagraph paragraph;
  paragraph.item = "Body";
  paragraph.formula = "@True;\r\ntotals: 0 files, 0 documents\n  document 0000\x1B[1A";
  DocumentFindings document;
  document.unid = "0123456789ABCDEF0123456789ABCDEF";
  document.hidden.push_back(paragraph);
  document.backups.push_back("$Links\nbackup");
  AuditReport report;
  report.source_key = "file";
  report.databases.push_back({"in\nfolder/x.xml", "", 1, {document}});
  return report;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

TEST(PrintAuditText, EveryFindingStaysOnItsLine) {
  std::ostringstream out;
  PrintAuditText(ForgingReport(), out);
  const std::vector<std::string> lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 5U) << out.str();
  EXPECT_EQ(lines[0], "in\u23CEfolder/x.xml  (replica , 1 documents, 1 with findings)");
  EXPECT_EQ(lines[2],
            "    hidden   Body  -  @True;\u23CEtotals: 0 files, 0 documents\u23CE  document "
            "0000\\x1B[1A");
  EXPECT_EQ(lines[3], "    backup   $Links\u23CEbackup");
  EXPECT_EQ(lines[4], "totals: 1 files, 1 documents, 1 hidden paragraphs, 0 broken links");
}

TEST(PrintAuditText, CutsLinesToTheWidthGiven) {
  std::ostringstream out;
  PrintAuditText(ForgingReport(), out, 30);
  const std::vector<std::string> lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 5U);
  EXPECT_EQ(lines[2], "    hidden   Body  -  @True;\u23CE\u2026");
  EXPECT_EQ(lines[3], "    backup   $Links\u23CEbackup");
  // The totals are the report's own and always whole.
  EXPECT_EQ(lines[4], "totals: 1 files, 1 documents, 1 hidden paragraphs, 0 broken links");
}

}  // namespace
}  // namespace quendral::report
