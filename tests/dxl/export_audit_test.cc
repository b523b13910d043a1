// What the audit of an export finds: formulas with their pardefs and
// paragraphs, links with their status, and whether formulas hide for a user.
#include "dxl/export_audit.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dxl/export_fixtures.h"

namespace quendral::dxl {
namespace {

using fixtures::kOldReplica;
using fixtures::kSalesExport;
using nlohmann::json;

report::DatabaseAudit Audit(const std::string& input, const AuditOptions& options) {
  std::istringstream in(input);
  report::DatabaseAudit audit;
  Refusal refusal;
  EXPECT_TRUE(AuditExport(in, options, &audit, &refusal)) << refusal.Text();
  return audit;
}

TEST(ExportAudit, ReportsFormulasWithTheirPardefsAndParagraphs) {
  const report::DatabaseAudit audit = Audit(kSalesExport, {});
  EXPECT_EQ(audit.replica_id, "85256E3A:0058F1B2");
  EXPECT_EQ(audit.documents, 1);
  ASSERT_EQ(audit.findings.size(), 1u);
  const report::DocumentFindings& document = audit.findings[0];
  EXPECT_EQ(document.unid, "0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(document.extra["form"], "Memo");
  EXPECT_EQ(document.extra["note_id"], "8f6");
  const struct {
    const char* item;
    const char* formula;
    bool enabled;
    const char* pardef;
    const char* hide;
    int paragraphs;
  } expected[] = {
      {"Body", "Status = \"Draft\"", true, "1", "web", 2},
      {"Body", "@True", false, "3", "", 2},
      {"Notes", "Count > 2 & @UserName = \"Jane Doe\"", true, "12", "notes web", 1},
  };
  ASSERT_EQ(document.hidden.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const report::HiddenParagraph& paragraph = document.hidden[i];
    EXPECT_EQ(paragraph.item, expected[i].item);
    EXPECT_EQ(paragraph.formula, expected[i].formula);
    EXPECT_EQ(paragraph.enabled, expected[i].enabled);
    EXPECT_FALSE(paragraph.hides.has_value());
    EXPECT_EQ(paragraph.extra["pardef"], expected[i].pardef);
    EXPECT_EQ(paragraph.extra["hide"], expected[i].hide);
    EXPECT_EQ(paragraph.extra["paragraphs"], expected[i].paragraphs);
  }
}

TEST(ExportAudit, LinkStatusFollowsTheKnownReplicas) {
  AuditOptions options;
  options.known_replicas = {kOldReplica};
  const report::DatabaseAudit audit = Audit(kSalesExport, options);
  const struct {
    const char* item;
    const char* kind;
    const char* replica;
    const char* status;
  } expected[] = {
      {"Body", "doclink", "85256E3A:0058F1B2", "ok"},
      {"Body", "databaselink", "C12575C9:0051572F", "Database was not found"},
      {"Notes", "viewlink", "85256E3A:0058F1B2", "ok"},
      {"$Links", "notelink", "85256E3A:0058F1B2", "ok"},
      {"$Links", "notelink", "C12575C9:0051572F", "Database was not found"},
  };
  const auto& links = audit.findings.at(0).links;
  ASSERT_EQ(links.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(links[i].item, expected[i].item);
    EXPECT_EQ(links[i].extra["kind"], expected[i].kind);
    EXPECT_EQ(links[i].replica_id, expected[i].replica);
    EXPECT_EQ(links[i].status, expected[i].status);
  }
  EXPECT_EQ(links[0].extra["server"], "CN=pluto/O=NotesLab");
  EXPECT_EQ(links[3].note_unid, "85256E3A0058F1B20000ABCD00001234");
  EXPECT_EQ(links[3].extra["view_unid"], "C12575C9005157490000000000000001");
}

TEST(ExportAudit, EvaluatesEnabledFormulasForTheUser) {
  const struct {
    const char* user;
    bool body_hides, notes_hides;
  } cases[] = {{"Jane Doe", true, true}, {"John Roe", true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.user);
    AuditOptions options;
    options.user = c.user;
    const report::DatabaseAudit audit = Audit(kSalesExport, options);
    const auto& hidden = audit.findings.at(0).hidden;
    EXPECT_EQ(hidden[0].hides, c.body_hides);
    EXPECT_FALSE(hidden[1].hides.has_value());  // disabled
    EXPECT_EQ(hidden[2].hides, c.notes_hides);
  }
}

TEST(ExportAudit, ItemKindsReachTheFormula) {
  const std::string head =
      "<document xmlns='http://www.lotus.com/dxl' form='Order'><noteinfo unid='AB'>"
      "<created><datetime dst='true'>20090602T164827,61+02</datetime></created></noteinfo>"
      "<item name='Amounts'><numberlist><number>1.5</number><number>2</number></numberlist></item>"
      "<item name='Due'><datetime>19990713T060306,52+05</datetime></item>"
      "<item name='Sent'><datetimelist><datetime dst='true'>20090602T104827,61-04</datetime>"
      "<datetime>19990713T010306,52Z</datetime></datetimelist></item>"
      "<item name='Readers' names='true' readers='true'><textlist><text>CN=Jane Doe/O=Lab</text>"
      "<text>[Admin]</text></textlist></item>"
      "<item name='Body'><richtext><par>one</par><par>two</par></richtext></item>"
      "<item name='Show'><richtext><pardef id='1'><code event='hidewhen'><formula>";
  const std::string tail = "</formula></code></pardef><par def='1'/></richtext></item></document>";
  const struct {
    const char* formula;
    std::optional<bool> hides;  // nothing: undecided, for the reason given
    const char* reason = "";
  } cases[] = {
      {"@Sum(Amounts) = 3.5", true},
      {"@Year(Due) = 1999 &amp; @Month(Due) = 7", true},
      {"@IsMember(\"[Admin]\"; Readers)", true},
      {"Form = \"Order\" &amp; @DocumentUniqueID = \"AB\"", true},
      {"@Year(@Created) = 2009", true},
      // Times of different zones compare by the moment they name, and keep
      // the wall clock they were written with.
      {"@Created = @Subset(Sent; 1)", true},
      {"Due = @Subset(Sent; -1)", true},
      {"@Hour(Due) = 6 &amp; @Hour(@Subset(Sent; -1)) = 1", true},
      {"@Now > @Created", true},
      {"@Contains(Body; \"two\")", true},
      {"Missing = \"\"", true},
      {"FIELD Amounts := 0; Amounts = 0", true},
      {"\"text\"", false},  // not a condition
      {"1 +", std::nullopt, "Expected an expression"},
      {"\"a\" * 2", std::nullopt, "Incorrect data type for operator '*'"},
      {"@DbLookup(\"\"; \"\"; \"V\"; 1; 1) = 1", std::nullopt,
       "@DbLookup needs a live database view"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    AuditOptions options;
    options.user = "Jane Doe";
    const auto audit = Audit(head + c.formula + tail, options);
    const report::HiddenParagraph& paragraph = audit.findings.at(0).hidden.at(0);
    EXPECT_EQ(paragraph.hides, c.hides);
    if (!c.hides) {
      EXPECT_EQ(paragraph.extra["reason"], c.reason);
    }
  }
}

// A stream that cannot be read twice, as a pipe.
class OnceOnly : public std::stringbuf {
 public:
  explicit OnceOnly(const std::string& text) : std::stringbuf(text) {}

 protected:
  pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override {
    return pos_type(-1);
  }
};

// The access list and profiles the export holds, the settings file of the
// data directory and the note's last reading reach the formula, a profile
// behind the document included when the export can be read twice.
TEST(ExportAudit, DatabaseFactsReachTheFormula) {
  const std::filesystem::path data =
      std::filesystem::temp_directory_path() / ("dxl-audit-" + std::to_string(::getpid()));
  std::filesystem::create_directories(data);
  std::ofstream(data / "notes.ini") << "[Notes]\n$Mode=test\n";
  const std::string head =
      "<database xmlns='http://www.lotus.com/dxl' replicaid='85256E3A0058F1B2'>"
      "<acl><role>[Sales]</role>"
      "<aclentry name='-Default-' level='reader'/>"
      "<aclentry name='CN=Jane Doe/O=Lab' level='editor' deletedocs='true'>"
      "<role>[Sales]</role></aclentry></acl>"
      "<document form='Order'><noteinfo unid='AB'>"
      "<lastaccessed><datetime>20100105T101010,00+01</datetime></lastaccessed></noteinfo>"
      "<item name='Show'><richtext><pardef id='1'><code event='hidewhen'><formula>";
  const std::string tail =
      "</formula></code></pardef><par def='1'/></richtext></item></document>"
      "<document form='Settings'><item name='$Name'><text>$profile_008settings_</text></item>"
      "<item name='Color'><text>Blue</text></item></document></database>";
  const struct {
    const char* user;
    const char* formula;
    bool read_twice;
    std::optional<bool> hides;  // nothing: undecided, for the reason given
    const char* reason = "";
  } cases[] = {
      {"CN=Jane Doe/O=Lab", "@UserAccess(\"\"; [AccessLevel]) = \"4\"", true, true},
      {"Jane Doe/Lab", "@V4UserAccess(\"\")[3] = \"1\"", true, true},
      {"CN=John Roe/O=Lab", "@UserAccess(\"\"; [AccessLevel]:[CreateDocuments]) = \"2\":\"0\"",
       true, true},
      {"CN=Jane Doe/O=Lab", "@IsMember(\"[Sales]\"; @UserRoles)", true, true},
      {"CN=John Roe/O=Lab", "@IsMember(\"[Sales]\"; @UserRoles)", true, false},
      {"Jane Doe", "@GetProfileField(\"settings\"; \"color\") = \"Blue\"", true, true},
      {"Jane Doe", "@GetProfileField(\"Other\"; \"Color\") = \"\"", true, true},
      {"Jane Doe", "@GetProfileField(\"Settings\"; \"Color\") = \"Blue\"", false, std::nullopt,
       "@GetProfileField: needs the database's profile documents"},
      {"CN=Jane Doe/O=Lab", "@UserAccess(\"\"; [AccessLevel]) = \"4\"", false, true},
      {"Jane Doe", "@Environment(\"Mode\") = \"test\"", true, true},
      {"Jane Doe", "@Year(@Accessed) = 2010", true, true},
  };
  const std::string unreadable_list =
      "<database xmlns='http://www.lotus.com/dxl'><acl><aclentry name='-Default-' level='boss'/>"
      "</acl><document><item name='Show'><richtext><pardef id='1'><code event='hidewhen'>"
      "<formula>@UserAccess(\"\"; [AccessLevel]) = \"6\"</formula></code></pardef>"
      "<par def='1'/></richtext></item></document></database>";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    AuditOptions options;
    options.user = c.user;
    options.data_directory = data;
    std::string input = head;
    input.append(c.formula).append(tail);
    std::istringstream twice(input);
    OnceOnly once_buffer(input);
    std::istream once(&once_buffer);
    report::DatabaseAudit audit;
    Refusal refusal;
    ASSERT_TRUE(AuditExport(c.read_twice ? static_cast<std::istream&>(twice) : once, options,
                            &audit, &refusal))
        << refusal.Text();
    const report::HiddenParagraph& paragraph = audit.findings.at(0).hidden.at(0);
    EXPECT_EQ(paragraph.hides, c.hides);
    if (!c.hides) {
      EXPECT_EQ(paragraph.extra["reason"], c.reason);
    }
  }
  AuditOptions options;
  options.user = "CN=Jane Doe/O=Lab";
  const report::HiddenParagraph unknown =
      Audit(unreadable_list, options).findings.at(0).hidden.at(0);
  EXPECT_FALSE(unknown.hides.has_value());
  EXPECT_EQ(unknown.extra["reason"], "@UserAccess: needs the database's access control list");
  std::filesystem::remove_all(data);
}

TEST(ExportAudit, NeutralFormulasAreNoFindings) {
  const auto audit = Audit(
      "<document xmlns='http://www.lotus.com/dxl'><item name='Body'><richtext>"
      "<pardef id='1'><code event='hidewhen'><formula> 0 </formula></code></pardef>"
      "<pardef id='2'><code event='hidewhen'><formula/></code></pardef></richtext></item>"
      "</document>",
      {});
  EXPECT_EQ(audit.documents, 1);
  EXPECT_TRUE(audit.findings.empty());
}

TEST(ExportAudit, DesignNotesOnlyWhenAsked) {
  AuditOptions options;
  options.all_notes = true;
  const report::DatabaseAudit audit = Audit(kSalesExport, options);
  EXPECT_EQ(audit.documents, 2);
  ASSERT_EQ(audit.findings.size(), 2u);
  EXPECT_EQ(audit.findings[1].extra["element"], "form");
  EXPECT_EQ(audit.findings[1].hidden.at(0).formula, "@IsNewDoc");
}

}  // namespace
}  // namespace quendral::dxl
