// Rich text exported as its stored records (Base64 in <rawitemdata
// type='1'>), form link tables and the hide-whens of actions: the repairs
// change exactly the intended bytes, in the decoded records and in the file,
// and the audit reports what the repair would do.
#include "dxl/binary_rich_text.h"

#include <gtest/gtest.h>

#include <span>
#include <sstream>

#include "dxl/export_audit.h"
#include "dxl/export_fixtures.h"
#include "dxl/export_repairs.h"
#include "dxl/link_table.h"
#include "platform/notes/formula/formula.h"
#include "repair/hide_when_area.h"
#include "repair/link_table.h"

namespace quendral::dxl {
namespace {

using fixtures::Applied;
using fixtures::kOldReplica;
using fixtures::kTargetReplica;
using fixtures::ReplacedAfter;
using fixtures::WithCrLf;
using Bytes = std::string;

// --- Records as exports store them -----------------------------------------

void PutWord(Bytes& bytes, std::uint16_t word) {
  bytes += static_cast<char>(word & 0xFF);
  bytes += static_cast<char>(word >> 8);
}

// A record with a 16-bit length word, and its pad byte when odd.
Bytes Record(std::uint16_t signature, const Bytes& body, bool pad = true) {
  Bytes record;
  PutWord(record, signature);
  PutWord(record, static_cast<std::uint16_t>(4 + body.size()));
  record += body;
  if (pad && record.size() % 2 == 1) {
    record += '\xCD';
  }
  return record;
}

// A compiled formula of `length` bytes as the platform stores it: its own
// length first, then code that is not the compiled "0".
Bytes Formula(std::size_t length) {
  Bytes formula;
  PutWord(formula, static_cast<std::uint16_t>(length));
  formula.resize(length, '\xEE');
  return formula;
}

// Definition ID, 8 reserved bytes (kept by the repair), then the area.
Bytes HideWhen(std::uint16_t pardef, const Bytes& area) {
  Bytes body;
  PutWord(body, pardef);
  body += "\x01\x02\x03\x04\x05\x06\x07\x08";
  return Record(0xFFBB, body + area);
}

Bytes Neutralised(Bytes area) {
  area.replace(0, kCompiledFalse.size(), kCompiledFalse);
  return area;
}

Bytes Paragraph(std::uint16_t pardef, const Bytes& text, bool pad = true) {
  Bytes definition;
  PutWord(definition, pardef);
  Bytes start;
  PutWord(start, 0x0481);
  PutWord(start, pardef);
  return Record(0xFF82, definition) + start + Record(0xFF85, text, pad);
}

// The two items of one value ($Body), before and after the repair: hide-whens
// to overwrite (one of an odd record length, with its pad byte), one neutral
// already, one too short for the compiled "0"; the second item ends in an
// odd record without its pad byte.
struct Value {
  Bytes first, second;
};

Value Body(bool repaired) {
  const auto area = [repaired](std::size_t length) {
    return repaired ? Neutralised(Formula(length)) : Formula(length);
  };
  return {HideWhen(1, area(40)) + Paragraph(1, "Hi!") +
              HideWhen(2, Bytes(kCompiledFalse) + "\x11\x22") + HideWhen(3, Formula(10)) +
              HideWhen(4, area(21)) + Paragraph(4, "four"),
          HideWhen(12, area(24)) + Paragraph(12, "last!", false)};
}

// --- Base64 laid out as exports write it -----------------------------------

struct Layout {
  const char* name;
  std::size_t line_length;
  const char* line_end;
  const char* indent;
};

Bytes Base64(const Bytes& bytes, const Layout& layout) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  Bytes digits;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = group << 8 | (i + k < bytes.size() ? static_cast<std::uint8_t>(bytes[i + k]) : 0);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      digits += i + k <= bytes.size() ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
  }
  Bytes text = layout.line_end;
  for (std::size_t at = 0; at < digits.size(); at += layout.line_length) {
    text += layout.indent + digits.substr(at, layout.line_length) + layout.line_end;
  }
  return text;
}

// The digits of a Base64 text; decoded by a reader of its own.
Bytes Decoded(std::string_view text) {
  const std::string_view digits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  Bytes bytes;
  std::uint32_t bits = 0;
  int count = 0;
  for (const char c : text) {
    const std::size_t value = digits.find(c);
    if (value == std::string_view::npos) {
      continue;
    }
    bits = bits << 6 | static_cast<std::uint32_t>(value);
    if ((count += 6) >= 8) {
      count -= 8;
      bytes += static_cast<char>(bits >> count);
    }
  }
  return bytes;
}

// Every <rawitemdata type='1'> text of an export, decoded, in order.
std::vector<Bytes> RichTextValues(const std::string& text) {
  std::vector<Bytes> values;
  const std::string open = "<rawitemdata type='1'>";
  for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
    at += open.size();
    values.push_back(Decoded(text.substr(at, text.find('<', at) - at)));
  }
  return values;
}

// A link table of two identical entries pointing at the old replica.
Bytes FormLinks() {
  Bytes entry;
  PutWord(entry, 0xF1B2);  // replica ID word 0 (0x0058F1B2), then word 1
  PutWord(entry, 0x0058);
  PutWord(entry, 0x6E3A);
  PutWord(entry, 0x8525);
  entry.resize(40, '\x5A');
  Bytes table;
  PutWord(table, 2);
  return table + entry + entry;
}

std::string FormExport(const Value& body, const Bytes& links, const Layout& layout) {
  const auto item = [&layout](const char* name, const char* type, const Bytes& value) {
    return std::string("<item name='") + name + "'><rawitemdata type='" + type + "'>" +
           Base64(value, layout) + "</rawitemdata></item>\n";
  };
  return "<?xml version='1.0' encoding='utf-8'?>\n"
         "<note class='form' xmlns='http://www.lotus.com/dxl' version='11.0'>\n"
         "<noteinfo noteid='2602' unid='00000000000000000000000000000ABC'/>\n" +
         item("$Body", "1", body.first) + item("$Body", "1", body.second) +
         item("$FormLinks", "7", links) + "</note>\n";
}

const Layout kLayouts[] = {
    {"76 a line, LF", 76, "\n", ""},
    {"64 a line, CRLF, indented", 64, "\r\n", "  "},
    {"72 a line, CRLF, tab", 72, "\r\n", "\t"},
    {"one line", 1000, "", ""},
};

struct Rewrite {
  bool taken = false;
  std::string output;
  std::vector<Change> changes;
  RepairCounts counts;
};

Rewrite FixHideWhen(const std::string& input, const HideWhenOptions& options) {
  std::istringstream in(input);
  std::ostringstream out;
  Rewrite run;
  Refusal refusal;
  run.taken =
      FixHideWhenInExport(in, RepairOutput{&out, &run.changes}, options, &run.counts, &refusal);
  EXPECT_TRUE(run.taken) << refusal.Text();
  run.output = out.str();
  return run;
}

report::DatabaseAudit Audit(const std::string& input, const AuditOptions& options) {
  std::istringstream in(input);
  report::DatabaseAudit audit;
  Refusal refusal;
  EXPECT_TRUE(AuditExport(in, options, &audit, &refusal)) << refusal.Text();
  return audit;
}

TEST(BinaryRichText, FixOverwritesExactlyTheFormulaAreasInEveryLayout) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    const std::string input = FormExport(Body(false), FormLinks(), layout);
    const std::string expected = FormExport(Body(true), FormLinks(), layout);
    const Rewrite run = FixHideWhen(input, {.all_notes = true});
    EXPECT_EQ(run.output, expected);
    EXPECT_EQ(Applied(input, run.changes), run.output);
    const std::vector<Bytes> values = RichTextValues(run.output);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0], Body(true).first);
    EXPECT_EQ(values[1], Body(true).second);
    EXPECT_EQ(run.counts.changes, 3);
    EXPECT_EQ(run.counts.changed_notes, 1);
    // The area too short for the compiled "0" makes the note a failure.
    ASSERT_EQ(run.counts.failures.size(), 1u);
    EXPECT_NE(run.counts.failures[0].reason.find("paragraph definition 3 (10 bytes) is too short "
                                                 "for the compiled formula 0"),
              std::string::npos);
  }
}

TEST(BinaryRichText, FixOfAWholeCrLfFileKeepsItsLineEnds) {
  const std::string input = WithCrLf(FormExport(Body(false), FormLinks(), kLayouts[0]));
  const Rewrite run = FixHideWhen(input, {.all_notes = true});
  EXPECT_EQ(run.output, WithCrLf(FormExport(Body(true), FormLinks(), kLayouts[0])));
}

TEST(BinaryRichText, ValuesThatCannotBeReadAreLeftWholeAndReported) {
  const Layout& layout = kLayouts[0];
  Bytes past_end = Body(false).first;
  PutWord(past_end, 0xFFBB);  // a hide-when record claiming 64 bytes
  PutWord(past_end, 64);
  const struct {
    const char* name;
    std::string input;
    const char* reason;
  } cases[] = {
      {"a record past the end", FormExport({past_end, Body(false).second}, {}, layout),
       "cannot be walked"},
      {"a record shorter than a hide-when's fixed part",
       FormExport({Record(0xFFBB, Bytes(8, '\x01')), Body(false).second}, {}, layout),
       "cannot be walked"},
      {"a character reference among the digits",
       ReplacedAfter(FormExport(Body(false), {}, layout), "<rawitemdata", ">", ">&#65;"),
       "not plain Base64"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Rewrite run = FixHideWhen(c.input, {.all_notes = true});
    // The first item stays as it was; the second is repaired.
    EXPECT_EQ(RichTextValues(run.output).at(0), RichTextValues(c.input).at(0));
    EXPECT_EQ(RichTextValues(run.output).at(1), Body(true).second);
    ASSERT_EQ(run.counts.failures.size(), 1u);
    EXPECT_NE(run.counts.failures[0].reason.find(c.reason), std::string::npos)
        << run.counts.failures[0].reason;
  }
}

TEST(BinaryRichText, AuditListsWhatTheFixWouldDoWithoutFormulaText) {
  AuditOptions options;
  options.all_notes = true;
  options.user = "Jane Doe";
  const report::DatabaseAudit audit =
      Audit(FormExport(Body(false), FormLinks(), kLayouts[1]), options);
  ASSERT_EQ(audit.findings.size(), 1u);
  const struct {
    const char* pardef;
    int bytes;
    bool too_short;
  } expected[] = {{"1", 40, false}, {"3", 10, true}, {"4", 21, false}, {"12", 24, false}};
  const auto& hidden = audit.findings[0].hidden;
  ASSERT_EQ(hidden.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const nlohmann::json json =
        report::AuditJson({"file", {audit}})["databases"][0]["findings"][0]["hidden"][i];
    EXPECT_EQ(json["binary"], true);
    EXPECT_EQ(json["item"], "$Body");
    EXPECT_EQ(json["kind"], "paragraph");
    EXPECT_EQ(json["pardef"], expected[i].pardef);
    EXPECT_EQ(json["bytes"], expected[i].bytes);
    EXPECT_FALSE(json.contains("formula"));
    EXPECT_FALSE(json.contains("hides"));
    EXPECT_EQ(json.contains("problem"), expected[i].too_short);
  }
  const auto& links = audit.findings[0].links;
  ASSERT_EQ(links.size(), 2u);
  for (const report::LinkFinding& link : links) {
    EXPECT_EQ(link.item, "$FormLinks");
    EXPECT_EQ(link.replica_id, "85256E3A:0058F1B2");
  }
}

TEST(BinaryRichText, FormLinkTablesAreRelinkedEntryByEntry) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    const std::string input = FormExport(Body(false), FormLinks(), layout);
    Bytes relinked = FormLinks();
    for (const std::size_t entry : {2u, 42u}) {
      relinked.replace(entry, 8, "\x44\x44\x33\x33\x22\x22\x11\x11");  // 1111222233334444
    }
    std::istringstream in(input);
    std::ostringstream out;
    std::vector<Change> changes;
    RepairCounts counts;
    Refusal refusal;
    const RelinkOptions options{{kOldReplica}, kTargetReplica, std::nullopt, true};
    ASSERT_TRUE(RelinkExport(in, RepairOutput{&out, &changes}, options, &counts, &refusal));
    EXPECT_EQ(out.str(), FormExport(Body(false), relinked, layout));
    EXPECT_EQ(Applied(input, changes), out.str());
    EXPECT_EQ(counts.changes, 2);
  }
}

// Hide-whens of actions hide buttons: reported as such, repaired only when
// asked.
TEST(ActionHideWhen, ReportedByKindAndRepairedOnlyWhenAsked) {
  const std::string input =
      "<form xmlns='http://www.lotus.com/dxl' name='Memo'><noteinfo unid='AB'/>"
      "<actionbar><action title='Approve'><code event='hidewhen'><formula>Status = \"Done\""
      "</formula></code><code event='click'><formula>@Command([FileSave])</formula></code>"
      "</action></actionbar><item name='$Body'><richtext><pardef id='1'><code\n"
      " event='hidewhen'><formula>@IsNewDoc</formula></code></pardef><par def='1'/>"
      "</richtext></item></form>";
  AuditOptions audit_options;
  audit_options.all_notes = true;
  const auto hidden = Audit(input, audit_options).findings.at(0).hidden;
  ASSERT_EQ(hidden.size(), 2u);
  EXPECT_EQ(hidden[0].extra["kind"], "action");
  EXPECT_EQ(hidden[0].extra["title"], "Approve");
  EXPECT_EQ(hidden[0].formula, "Status = \"Done\"");
  EXPECT_EQ(hidden[1].extra["kind"], "paragraph");

  const std::string paragraphs = ReplacedAfter(input, "<pardef", "@IsNewDoc", "0");
  const struct {
    bool actions;
    std::string expected;
  } cases[] = {
      {false, paragraphs},
      {true, ReplacedAfter(paragraphs, "<action", "Status = \"Done\"", "0")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.actions);
    EXPECT_EQ(FixHideWhen(input, {.all_notes = true, .actions = c.actions}).output, c.expected);
  }
}

// Exports' link tables are read as the whole-database relink reads stored
// ones: a table whose length does not match its count is no table. An
// export always writes the count, so no bytes at all are none either.
TEST(LinkRuleParity, ExportedTablesAreReadWhole) {
  const Bytes two = FormLinks();
  const Bytes tables[] = {
      two, two.substr(0, 2 + 40), two + "\x01", Bytes("\x00\x00", 2), Bytes("\x02"), Bytes()};
  for (const Bytes& table : tables) {
    SCOPED_TRACE(table.size());
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(table.data()),
                                              table.size());
    LinkTable decoded;
    EXPECT_EQ(decoded.Decode(Base64(table, kLayouts[0])),
              !table.empty() && LinkTableEntryCount(bytes, LinkTableReading::kWholeTable));
  }
}

// --- One rule for every route -----------------------------------------------

// The repair of exported records gives each area the bytes the hide-when
// rule gives it, whether or not a memo carried it over from an earlier item.
TEST(HideWhenRuleParity, ExportedRecordsGetTheRulesBytes) {
  const Bytes areas[] = {Formula(30), Neutralised(Formula(30)), Formula(17), Bytes(), Formula(18)};
  HideWhenMemo memo;
  for (int pass = 0; pass < 2; ++pass) {
    for (const Bytes& area : areas) {
      SCOPED_TRACE(testing::Message() << "pass " << pass << ", area of " << area.size());
      Bytes expected = area;
      const AreaRepair repair = NeutraliseHideWhenArea(
          expected.data(), expected.size(), HideWhenAreaSource::kExportedRecords, nullptr);
      const Bytes record = HideWhen(7, area);
      const BinaryRichText result = NeutraliseBinaryRichText(Base64(record, kLayouts[0]), &memo);
      ASSERT_TRUE(result.problem.empty()) << result.problem;
      ASSERT_EQ(result.hide_whens.size(), 1u);
      EXPECT_EQ(result.hide_whens[0].repair, repair);
      Base64Text written;
      std::string text = Base64(record, kLayouts[0]);
      for (auto edit = result.edits.rbegin(); edit != result.edits.rend(); ++edit) {
        text.replace(edit->begin, edit->end - edit->begin, edit->text);
      }
      ASSERT_TRUE(written.Decode(text));
      EXPECT_EQ(written.bytes(), HideWhen(7, expected));
    }
  }
}

// The formulas that exports give as text are judged neutral exactly when the
// database's rule leaves their compiled form as it is.
TEST(HideWhenRuleParity, NeutralTextsAreThoseTheDatabaseRuleLeaves) {
  const char* const texts[] = {"", "0", " 0\n", "@True", "1", "Status = \"Closed\""};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    std::vector<std::uint8_t> compiled;
    ASSERT_TRUE(platform::formula::Compile(text, &compiled, nullptr));
    std::string area(compiled.begin(), compiled.end());
    NeutraliseHideWhenArea(area.data(), area.size(), HideWhenAreaSource::kDatabaseRichText,
                           nullptr);
    const bool left = area == std::string(compiled.begin(), compiled.end());
    EXPECT_EQ(IsNeutralHideWhenText(text), left);
  }
}

}  // namespace
}  // namespace quendral::dxl
