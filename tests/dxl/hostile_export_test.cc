// Exports built to harm: every repair and the audit refuse them with their
// place and reason, or read them safely, and nothing of a refused one is
// passed on.
#include <gtest/gtest.h>

#include <sstream>

#include "dxl/export_audit.h"
#include "dxl/export_fixtures.h"
#include "dxl/export_repairs.h"
#include "dxl/hostile_exports.h"

namespace quendral::dxl {
namespace {

std::string Generated(const hostile::Writer& write) {
  std::ostringstream out;
  write(out);
  return out.str();
}

const RelinkOptions kRelink{{fixtures::kOldReplica}, fixtures::kTargetReplica, "CN=x", true};

struct Passes {
  bool fixed, relinked, audited;
  Refusal refusal;  // of the last pass that refused
  RepairCounts fix_counts, relink_counts;
  std::string fix_output, relink_output;
};

Passes RunEveryPass(const std::string& input) {
  Passes passes;
  std::istringstream fix_in(input), relink_in(input), audit_in(input);
  std::ostringstream fix_out, relink_out;
  passes.fixed = FixHideWhenInExport(fix_in, RepairOutput{&fix_out, nullptr}, {.all_notes = true},
                                     &passes.fix_counts, &passes.refusal);
  passes.relinked = RelinkExport(relink_in, RepairOutput{&relink_out, nullptr}, kRelink,
                                 &passes.relink_counts, &passes.refusal);
  AuditOptions audit;
  audit.all_notes = true;
  audit.user = "Jane Doe";
  report::DatabaseAudit result;
  passes.audited = AuditExport(audit_in, audit, &result, &passes.refusal);
  passes.fix_output = fix_out.str();
  passes.relink_output = relink_out.str();
  return passes;
}

TEST(HostileExport, EntitiesAndDefaultsAreRefusedWhereTheyAreDeclared) {
  const struct {
    const char* name;
    std::string input;
    std::uint64_t line, column;
    const char* reason;
  } cases[] = {
      {"entity chain", Generated([](std::ostream& out) { hostile::WriteEntityChain(out, 24000); }),
       3, 13, "the export declares entities; exports never do"},
      {"billion laughs", Generated(hostile::WriteBillionLaughs), 3, 15, "declares entities"},
      {"quadratic blowup", Generated(hostile::WriteQuadraticBlowup), 3, 12, "declares entities"},
      {"entity in a link", hostile::kEntityInLink, 2, 34, "declares entities"},
      {"entity in a formula", hostile::kEntityInFormula, 2, 32, "declares entities"},
      {"parameter entity",
       "<!DOCTYPE database [\n <!ENTITY % p 'x'>\n]>\n<database xmlns='http://www.lotus.com/dxl'/>",
       2, 15, "declares entities"},
      {"unparsed entity",
       "<!DOCTYPE database [<!NOTATION n SYSTEM 'n'><!ENTITY u SYSTEM 'u' NDATA n>]>"
       "<database xmlns='http://www.lotus.com/dxl'/>",
       1, 73, "declares entities"},
      {"default attribute value", hostile::kDefaultInLink, 2, 54,
       "declares default attribute values"},
      {"fixed attribute value",
       "<!DOCTYPE database [<!ATTLIST item name CDATA #FIXED 'x'>]>"
       "<database xmlns='http://www.lotus.com/dxl'/>",
       1, 54, "default attribute values"},
      {"undeclared entity in a link", hostile::kUndeclaredInLink, 3, 87,
       "refers to the entity &r;"},
      {"undeclared entity in text",
       "<!DOCTYPE database SYSTEM 'd.dtd'>\n<database xmlns='http://www.lotus.com/dxl'>&nbsp;"
       "</database>",
       2, 44, "refers to the entity &nbsp;"},
      {"parameter entity reference",
       "<!DOCTYPE database [\n%p;\n]>\n<database xmlns='http://www.lotus.com/dxl'/>", 2, 1,
       "refers to the entity %p;"},
      {"declaration in UTF-16", fixtures::InUtf16(hostile::kEntityInLink, false), 2, 34,
       "declares entities"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Passes passes = RunEveryPass(c.input);
    EXPECT_FALSE(passes.fixed);
    EXPECT_FALSE(passes.relinked);
    EXPECT_FALSE(passes.audited);
    EXPECT_EQ(passes.refusal.line, c.line);
    EXPECT_EQ(passes.refusal.column, c.column);
    EXPECT_NE(passes.refusal.reason.find(c.reason), std::string::npos) << passes.refusal.reason;
    EXPECT_EQ(passes.fix_output, "");
    EXPECT_EQ(passes.relink_output, "");
  }
}

TEST(HostileExport, DeclarationsWithoutEntitiesOrDefaultsAreCopied) {
  const std::string input =
      "<!DOCTYPE database SYSTEM 'd.dtd' [<!ELEMENT extra ANY><!ATTLIST extra a CDATA #IMPLIED "
      "b CDATA #REQUIRED>]>\n<database xmlns='http://www.lotus.com/dxl'>&amp;&#38;&lt;</database>";
  const Passes passes = RunEveryPass(input);
  ASSERT_TRUE(passes.fixed && passes.relinked && passes.audited) << passes.refusal.Text();
  EXPECT_EQ(passes.fix_output, input);
}

TEST(HostileExport, OversizedMarkupIsRefusedBeforeItIsRead) {
  const std::string input =
      Generated([](std::ostream& out) { hostile::WriteLongAttribute(out, 12); });
  const Passes passes = RunEveryPass(input);
  EXPECT_FALSE(passes.fixed || passes.relinked || passes.audited);
  EXPECT_EQ(passes.refusal.Text(),
            "line 1, column 87: a tag, comment or declaration longer than 8 MB; exports hold none");
}

// Nesting is read without recursion, as deep as exports could need, and
// refused where it could only be a way to spend memory.
TEST(HostileExport, DeepNestingIsReadToALimit) {
  const std::string deep =
      Generated([](std::ostream& out) { hostile::WriteDeepNesting(out, 9995); });
  const Passes passes = RunEveryPass(deep);
  ASSERT_TRUE(passes.fixed && passes.relinked && passes.audited) << passes.refusal.Text();
  EXPECT_EQ(passes.fix_output, deep);
  const Passes deeper =
      RunEveryPass(Generated([](std::ostream& out) { hostile::WriteDeepNesting(out, 100000); }));
  EXPECT_FALSE(deeper.fixed || deeper.relinked || deeper.audited);
  EXPECT_EQ(deeper.refusal.Text(),
            "line 1, column 50062: elements nested more than 10000 deep; exports hold none");
}

// A value inside a paragraph, paragraphs outside rich text: passed over.
TEST(HostileExport, ElementsOutOfPlaceAreNotTrusted) {
  AuditOptions options;
  options.user = "Jane Doe";
  std::istringstream in(hostile::kValueInParagraph);
  report::DatabaseAudit audit;
  Refusal refusal;
  EXPECT_TRUE(AuditExport(in, options, &audit, &refusal)) << refusal.Text();
  EXPECT_EQ(audit.documents, 1);
}

// What stays the same byte for byte is no change, and is not counted.
TEST(HostileExport, OnlyChangedBytesCountAsChanges) {
  const std::string linked =
      std::string(
          "<database xmlns='http://www.lotus.com/dxl'><document><item name='Body'>"
          "<richtext><par><doclink database='") +
      fixtures::kTargetReplica + "' server='CN=x'/></par></richtext></item></document></database>";
  RelinkOptions options = kRelink;
  options.old_replicas.insert(fixtures::kTargetReplica);
  std::istringstream in(linked);
  std::ostringstream out;
  std::vector<Change> changes;
  RepairCounts counts;
  Refusal refusal;
  ASSERT_TRUE(RelinkExport(in, RepairOutput{&out, &changes}, options, &counts, &refusal));
  EXPECT_EQ(counts.changes, 0);
  EXPECT_EQ(counts.changed_notes, 0);
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(out.str(), linked);
}

// A formula written with character references is replaced whole.
TEST(HostileExport, FormulaOfReferencesIsNeutralised) {
  const std::string input =
      "<database xmlns='http://www.lotus.com/dxl'><document><item name='Body'><richtext>"
      "<pardef id='1'><code event='hidewhen'><formula>&#x53;tatus = &quot;x&quot;</formula>"
      "</code></pardef><par def='1'>x</par></richtext></item></document></database>";
  std::istringstream in(input);
  std::ostringstream out;
  RepairCounts counts;
  Refusal refusal;
  ASSERT_TRUE(FixHideWhenInExport(in, RepairOutput{&out, nullptr}, {}, &counts, &refusal))
      << refusal.Text();
  EXPECT_EQ(counts.changes, 1);
  EXPECT_EQ(out.str(),
            fixtures::ReplacedAfter(input, "<formula>", "&#x53;tatus = &quot;x&quot;", "0"));
}

}  // namespace
}  // namespace quendral::dxl
