// The spreadsheet and web page of an audit: quoting, escaping of what the
// documents hold, and rows written as the audit goes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "report/audit_csv.h"
#include "report/audit_html.h"

namespace quendral::report {
namespace {

DocumentFindings HiddenFinding(const std::string& item, const std::string& formula) {
  DocumentFindings document;
  document.unid = "0123456789ABCDEF0123456789ABCDEF";
  document.hidden.push_back({item, formula, true, true, false, nullptr});
  return document;
}

AuditRun AuditOf(const std::string& user = "") {
  AuditRun run;
  run.command = "audit";
  run.user = user;
  return run;
}

// The sink's output after one source with `document` and the end of the run.
std::string Write(AuditSink& sink, const std::ostringstream& out, const DocumentFindings& document,
                  const std::string& path = "apps/a.nsf") {
  sink.BeginRun(AuditOf());
  sink.BeginSource({path, "85256E3A:0058F1B2"});
  sink.Document(document);
  sink.EndSource(1);
  sink.EndRun();
  return out.str();
}

TEST(CsvAuditSink, QuotesAndGuardsCells) {
  const struct {
    std::string formula, cell;
  } cases[] = {
      {"plain", "plain"},
      {"a, b", "\"a, b\""},
      {"Status = \"Closed\"", "\"Status = \"\"Closed\"\"\""},
      {"one\r\ntwo", "\"one\r\ntwo\""},
      // A spreadsheet would compute these: they stay text.
      {"@True", "\"'@True\""},
      {"=1+1", "\"'=1+1\""},
      {"-1", "\"'-1\""},
      {"!@IsMember(\"x\"; y)", "\"!@IsMember(\"\"x\"\"; y)\""},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    CsvAuditSink sink(out);
    const std::string text = Write(sink, out, HiddenFinding("Body", c.formula));
    EXPECT_NE(text.find(",Body,," + c.cell + ",,,enabled\r\n"), std::string::npos)
        << c.formula << "\n"
        << text;
  }
}

TEST(CsvAuditSink, ByteOrderMarkHeaderAndTheUsersColumn) {
  for (const std::string user : {"", "CN=Jane Doe/O=Sales"}) {
    std::ostringstream out;
    CsvAuditSink sink(out);
    sink.BeginRun(AuditOf(user));
    const std::string hides = user.empty() ? "" : "Hides for the user,";
    EXPECT_EQ(out.str(),
              "\xEF\xBB\xBF"
              "Database,Document,Form,Finding,Item,Pardef,Formula," +
                  hides + "Link replica,Link document,Status\r\n");
  }
}

TEST(CsvAuditSink, FailedSourceIsARow) {
  std::ostringstream out;
  CsvAuditSink sink(out);
  sink.BeginRun(AuditOf());
  sink.FailedSource("gone.nsf", "cannot be read");
  sink.EndRun();
  EXPECT_NE(out.str().find("gone.nsf,,,error,,,,,,cannot be read\r\n"), std::string::npos);
}

TEST(WriteHtmlEscaped, EscapesMarkupAndQuotes) {
  const struct {
    std::string text, escaped;
  } cases[] = {
      {"", ""},
      {"plain text", "plain text"},
      {"<script>&\"'", "&lt;script&gt;&amp;&quot;&#39;"},
      {"a<b", "a&lt;b"},
      {"\xC3\xA9t\xC3\xA9>", "\xC3\xA9t\xC3\xA9&gt;"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    WriteHtmlEscaped(c.text, out);
    EXPECT_EQ(out.str(), c.escaped);
  }
}

TEST(HtmlAuditSink, NothingTheDocumentsHoldBecomesMarkup) {
  std::ostringstream out;
  HtmlAuditSink sink(out);
  DocumentFindings document = HiddenFinding("<img src=x onerror=alert(1)>", "</script><script>");
  document.links.push_back({"$Links", 0, "<b>\"", "x", kDatabaseNotFound, nullptr});
  const std::string page = Write(sink, out, document, "apps/<i>&'.nsf");
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_EQ(page.find("<i>"), std::string::npos);
  EXPECT_EQ(page.find("</script><script>"), std::string::npos);
  // The chart's link to the rows of the database carries its name encoded.
  EXPECT_NE(page.find("href=\"#where=0:apps%2F%3Ci%3E%26%27.nsf\""), std::string::npos);
}

TEST(HtmlAuditSink, RowsComeAsTheAuditGoesAndTotalsAtItsEnd) {
  std::ostringstream out;
  HtmlAuditSink sink(out);
  sink.BeginRun(AuditOf());
  sink.BeginSource({"apps/a.nsf", ""});
  sink.Document(HiddenFinding("Body", "Status = 1"));
  EXPECT_NE(out.str().find("<td>Status = 1</td>"), std::string::npos);
  EXPECT_EQ(out.str().find("data-total"), std::string::npos);
  sink.EndSource(7);
  sink.EndRun();
  EXPECT_NE(out.str().find("data-total=\"documents\">7<"), std::string::npos);
  EXPECT_NE(out.str().find("data-total=\"hidden\">1<"), std::string::npos);
  EXPECT_EQ(out.str().substr(out.str().size() - 8), "</html>\n");
}

}  // namespace
}  // namespace quendral::report
