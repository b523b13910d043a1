// Files that are not well-formed DXL in UTF-8 or UTF-16 are refused with
// their place; nothing of them is passed on as a finished output.
#include "dxl/stream_rewriter.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dxl/export_fixtures.h"
#include "dxl/export_repairs.h"

namespace quendral::dxl {
namespace {

struct Refused {
  const char* name;
  std::string input;
  std::uint64_t line, column;
  const char* reason;  // a part of the reason
};

TEST(StreamRewriter, RefusesWhatIsNotWellFormedDxl) {
  const std::string dxl = "xmlns='http://www.lotus.com/dxl'";
  const Refused cases[] = {
      {"empty", "", 1, 1, "not well-formed"},
      {"unclosed", "<database " + dxl + ">\n<document>\n", 3, 1, "not well-formed"},
      {"mismatched", "<database " + dxl + ">\n  <document></note>", 2, 15, "not well-formed"},
      {"undefined entity", "<database " + dxl + ">&nbsp;</database>", 1, 44, "not well-formed"},
      {"text after the root", "<database " + dxl + "/>\nx", 2, 1, "not well-formed"},
      {"attribute twice", "<database " + dxl + " a='1' a='2'/>", 1, 50, "not well-formed"},
      {"no namespace, not a note", "<?xml version='1.0'?>\n<html/>", 2, 1,
       "not in the DXL namespace"},
      {"other namespace", "<database xmlns='urn:x'/>", 1, 1, "not in the DXL namespace"},
      {"Latin-1 declared", "<?xml version='1.0' encoding='ISO-8859-1'?><database " + dxl + "/>", 1,
       1, "not UTF-8 or UTF-16"},
      {"unknown encoding", "<?xml version='1.0' encoding='windows-1252'?><database/>", 1, 1,
       "not UTF-8 or UTF-16"},
      {"Latin-1 bytes",
       "<database " + dxl +
           ">Gr\xFC\xDF"
           "e</database>",
       1, 46, "not well-formed"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    std::istringstream in(c.input);
    std::ostringstream out;
    RepairCounts counts;
    Refusal refusal;
    EXPECT_FALSE(FixHideWhenInExport(in, RepairOutput{&out, nullptr}, {}, &counts, &refusal));
    EXPECT_EQ(refusal.line, c.line);
    EXPECT_EQ(refusal.column, c.column);
    EXPECT_NE(refusal.reason.find(c.reason), std::string::npos) << refusal.reason;
  }
}

TEST(StreamRewriter, CopiesEveryConstructUnchanged) {
  const std::string input = fixtures::WithCrLf(
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone='no'?>\n"
      "<!DOCTYPE note SYSTEM 'xmlschemas/notes_11_0.dtd' [ <!ATTLIST note b CDATA #IMPLIED> ]>\n"
      "<?processing instruction?>\n"
      "<note class='form' xmlns='http://www.lotus.com/dxl' xmlns:q='urn:q' version='11.0'>\n"
      "  <q:extra q:attr='&#x3C;&lt;'>&amp;&gt;</q:extra>\n"
      "  <item name='x'\n   summary=\"false\"><text>\t&#233;&#xe9;é<![CDATA[<&>]]></text></item>\n"
      "  <item name='pic'><rawitemdata type='1'>AAAA\nBBBB</rawitemdata></item>\n"
      "</note >\n<!-- trailing comment -->\n");
  std::istringstream in(input);
  std::ostringstream out;
  RepairCounts counts;
  Refusal refusal;
  ASSERT_TRUE(
      FixHideWhenInExport(in, RepairOutput{&out, nullptr}, {.all_notes = true}, &counts, &refusal))
      << refusal.Text();
  EXPECT_EQ(out.str(), input);
}

}  // namespace
}  // namespace quendral::dxl
