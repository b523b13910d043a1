// The repairs change exactly the formulas and link targets they mean to and
// copy every other byte of the export.
#include "dxl/export_repairs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dxl/export_fixtures.h"
#include "dxl/text_encoding.h"

namespace quendral::dxl {
namespace {

using fixtures::Applied;
using fixtures::InUtf16;
using fixtures::kOldReplica;
using fixtures::kOtherReplica;
using fixtures::kSalesExport;
using fixtures::kTargetReplica;
using fixtures::ReplacedAfter;
using fixtures::WithCrLf;

struct Rewrite {
  bool taken = false;
  std::string output;
  std::vector<Change> changes;
  RepairCounts counts;
  Refusal refusal;
};

enum class Repair { kFixHideWhen, kFixHideWhenAllNotes, kRelink, kRelinkWithServer };

Rewrite RunRepair(std::string_view input, Repair repair) {
  std::istringstream in{std::string(input)};
  std::ostringstream out;
  Rewrite result;
  const RepairOutput output{&out, &result.changes};
  RelinkOptions relink{{kOldReplica}, kTargetReplica, std::nullopt, false};
  switch (repair) {
    case Repair::kFixHideWhen:
    case Repair::kFixHideWhenAllNotes:
      result.taken =
          FixHideWhenInExport(in, output, {.all_notes = repair == Repair::kFixHideWhenAllNotes},
                              &result.counts, &result.refusal);
      break;
    case Repair::kRelinkWithServer:
      relink.target_server = "CN=mars/O=Archive & Co";
      [[fallthrough]];
    case Repair::kRelink:
      result.taken = RelinkExport(in, output, relink, &result.counts, &result.refusal);
      break;
  }
  result.output = out.str();
  return result;
}

// The export with the document's two enabled formulas made "0".
std::string FixedSales() {
  std::string text = ReplacedAfter(kSalesExport, "<pardef id='1'", "Status = \"Draft\"", "0");
  return ReplacedAfter(text, "<pardef id=\"12\"", "Count &gt; 2 &amp; @UserName = \"Jane Doe\"",
                       "0");
}

std::string RelinkedSales(bool with_server) {
  std::string text = ReplacedAfter(kSalesExport, "<doclink", kOldReplica, kTargetReplica);
  if (with_server) {
    text = ReplacedAfter(text, "<doclink", "server='CN=pluto/O=NotesLab'",
                         "server='CN=mars/O=Archive &amp; Co'");
    text = ReplacedAfter(text, "<viewlink", "database=\"85256E3A0058F1B2\"",
                         "database=\"1111222233334444\" server=\"CN=mars/O=Archive &amp; Co\"");
  } else {
    text = ReplacedAfter(text, "<viewlink", kOldReplica, kTargetReplica);
  }
  return ReplacedAfter(text, "<rawitemdata", "AgCy8VgAOm4lhUlX", "AgBERDMzIiIREUlX");
}

TEST(ExportRepairs, ChangeExactlyTheIntendedBytes) {
  const struct {
    const char* name;
    Repair repair;
    std::string expected;
    std::int64_t changes;
  } cases[] = {
      {"fix-hidewhen", Repair::kFixHideWhen, FixedSales(), 2},
      {"relink", Repair::kRelink, RelinkedSales(false), 3},
      {"relink with server", Repair::kRelinkWithServer, RelinkedSales(true), 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Rewrite result = RunRepair(kSalesExport, c.repair);
    ASSERT_TRUE(result.taken) << result.refusal.Text();
    EXPECT_EQ(result.output, c.expected);
    EXPECT_EQ(Applied(kSalesExport, result.changes), result.output);
    EXPECT_EQ(result.counts.notes, 1);
    EXPECT_EQ(result.counts.changed_notes, 1);
    EXPECT_EQ(result.counts.changes, c.changes);
  }
}

TEST(ExportRepairs, AllNotesReachesFormsToo) {
  const Rewrite result = RunRepair(kSalesExport, Repair::kFixHideWhenAllNotes);
  ASSERT_TRUE(result.taken);
  EXPECT_EQ(result.output, ReplacedAfter(FixedSales(), "<form", "@IsNewDoc", "0"));
  EXPECT_EQ(result.counts.notes, 2);
}

TEST(ExportRepairs, LineEndsAndEncodingsAreKept) {
  const struct {
    const char* name;
    std::string input, expected;
  } cases[] = {
      {"CRLF", WithCrLf(kSalesExport), WithCrLf(FixedSales())},
      {"UTF-16LE", InUtf16(kSalesExport, false), InUtf16(FixedSales(), false)},
      {"UTF-16BE", InUtf16(kSalesExport, true), InUtf16(FixedSales(), true)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Rewrite result = RunRepair(c.input, Repair::kFixHideWhen);
    ASSERT_TRUE(result.taken) << result.refusal.Text();
    EXPECT_EQ(result.output, c.expected);
    EXPECT_EQ(Applied(c.input, result.changes), result.output);
  }
}

TEST(ExportRepairs, Utf16LinksAndLinkTablesAreRetargeted) {
  const Rewrite result = RunRepair(InUtf16(kSalesExport, false), Repair::kRelinkWithServer);
  ASSERT_TRUE(result.taken) << result.refusal.Text();
  EXPECT_EQ(result.output, InUtf16(RelinkedSales(true), false));
}

// Formulas and tags cut by the end of a read chunk are rewritten all the same.
TEST(ExportRepairs, SpansAcrossReadChunksAreRewritten) {
  std::string input = "<?xml version='1.0'?>\n<database xmlns='http://www.lotus.com/dxl'>\n";
  std::string expected = input;
  const std::string head =
      "<document><item name='Body'><richtext><pardef id='1'><code "
      "event='hidewhen'><formula>";
  const std::string formula = "@UserName = \"" + std::string(37, 'x') + "\"";
  const std::string link = "</formula></code></pardef><par def='1'><doclink database='" +
                           std::string(kOldReplica) + "'/></par></richtext></item></document>\n";
  for (int i = 0; i < 9000; ++i) {
    input += head + formula + link;
    expected += head + "0" + link;
  }
  input += "</database>\n";
  expected += "</database>\n";
  const Rewrite result = RunRepair(input, Repair::kFixHideWhen);
  ASSERT_TRUE(result.taken) << result.refusal.Text();
  EXPECT_EQ(result.output, expected);
  EXPECT_EQ(result.counts.changed_notes, 9000);
  const Rewrite relinked = RunRepair(input, Repair::kRelink);
  EXPECT_EQ(relinked.counts.changes, 9000);
  EXPECT_EQ(Applied(input, relinked.changes), relinked.output);
}

TEST(ExportRepairs, NothingToChangeCopiesTheFile) {
  const std::string input =
      "<?xml version=\"1.0\"?>\r\n<document xmlns=\"http://www.lotus.com/dxl\" form='F'>"
      "<item name='Body'><richtext><pardef id='1'><code event='hidewhen' enabled='false'>"
      "<formula>@True</formula></code></pardef><pardef id='2'><code event='hidewhen'>"
      "<formula>0</formula></code></pardef><pardef id='4' hide='read edit'><code "
      "event='hidewhen'><formula/></code></pardef><par def='4'>&#169;&#xA9;</par>"
      "<databaselink database='" +
      std::string(kOtherReplica) +
      "'/></richtext></item>"
      "<x:unknown xmlns:x='urn:other' a='1'><formula>1</formula></x:unknown></document>";
  for (const Repair repair : {Repair::kFixHideWhen, Repair::kRelinkWithServer}) {
    const Rewrite result = RunRepair(input, repair);
    ASSERT_TRUE(result.taken) << result.refusal.Text();
    EXPECT_EQ(result.output, input);
    EXPECT_TRUE(result.changes.empty());
    EXPECT_EQ(result.counts.changed_notes, 0);
  }
}

TEST(ExportRepairs, LinkTablesWithoutEntriesAreKept) {
  const std::string input =
      "<document xmlns='http://www.lotus.com/dxl'><item name='$Links'><rawitemdata type='7'>"
      "AAA=</rawitemdata></item><item name='$Links'><rawitemdata type='7'/></item></document>";
  const Rewrite result = RunRepair(input, Repair::kRelink);
  ASSERT_TRUE(result.taken);
  EXPECT_EQ(result.output, input);
  EXPECT_EQ(result.counts.failures.size(), 1u);  // the one without even a count
}

TEST(ExportRepairs, UnreadableLinkTableIsReportedAndKept) {
  const std::string input =
      "<document xmlns='http://www.lotus.com/dxl'><noteinfo unid='AB'/><item name='$Links'>"
      "<rawitemdata type='7'>AgCy8Vg&#65;</rawitemdata></item></document>";
  const Rewrite result = RunRepair(input, Repair::kRelink);
  ASSERT_TRUE(result.taken);
  EXPECT_EQ(result.output, input);
  ASSERT_EQ(result.counts.failures.size(), 1u);
  EXPECT_EQ(result.counts.failures[0].unid, "AB");
}

}  // namespace
}  // namespace quendral::dxl
