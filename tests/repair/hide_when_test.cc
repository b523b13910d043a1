// FixRichTextFields end to end: documents written to a real data directory,
// repaired through the exported function, read back from the store.
#include "repair/hide_when.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/notes/api/item_values.h"
#include "platform/notes/formula/formula.h"
#include "quendral/quendral.h"
#include "repair/repair_fixture.h"
#include "support/faults/fault_points.h"

namespace quendral::fixtures {
namespace {

namespace richtext = platform::richtext;
using platform::store::ItemImage;
using platform::store::NoteImage;

const TIMEDATE kReplica{{0x0058F1B2, 0x85256E3A}};

std::vector<richtext::Paragraph> Paragraphs(const ItemImage& item) {
  std::vector<richtext::Paragraph> paragraphs;
  EXPECT_EQ(platform::values::DecodeRichText(item.value.data(), item.value.size(), &paragraphs),
            platform::kNoError);
  return paragraphs;
}

std::string Decompiled(const std::vector<std::uint8_t>& area) {
  std::string text;
  EXPECT_TRUE(platform::formula::Decompile(area.data(), area.size(), &text));
  return text;
}

class FixRichTextFieldsTest : public RepairTest {
 protected:
  NoteImage Fix(const std::vector<ItemImage>& items, int expected_result = 0) {
    unid_ = CreateDocument("mail/box.nsf", kReplica, items);
    before_ = StoredNote("mail/box.nsf", unid_);
    EXPECT_EQ(FixRichTextFields("", "mail/box.nsf", unid_.c_str()), expected_result);
    return StoredNote("mail/box.nsf", unid_);
  }

  std::string unid_;
  NoteImage before_;
};

TEST_F(FixRichTextFieldsTest, HiddenParagraphGetsTheFalseFormulaInPlace) {
  const auto secret = Compiled("Status = \"Closed\" | @IsMember(\"[Admin]\"; @UserRoles)");
  const NoteImage after =
      Fix({RichTextItem("Body", {TextParagraph("Visible"), HiddenParagraph("Secret", secret)})});
  EXPECT_EQ(after.sequence, before_.sequence + 1);
  const auto paragraphs = Paragraphs(*FindItem(after, "Body"));
  ASSERT_EQ(paragraphs.size(), 2u);
  EXPECT_FALSE(paragraphs[0].has_hide_when);
  const auto& area = paragraphs[1].hide_when_area;
  ASSERT_EQ(area.size(), secret.size()) << "the record keeps its length";
  EXPECT_EQ(Decompiled(area), "0");
  const auto zero = Compiled("0");
  EXPECT_TRUE(std::equal(area.begin() + static_cast<long>(zero.size()), area.end(),
                         secret.begin() + static_cast<long>(zero.size())))
      << "bytes behind the copied formula keep their old values";
}

TEST_F(FixRichTextFieldsTest, NoteWithoutItemsIsLeftAlone) {
  const NoteImage after = Fix({});
  EXPECT_EQ(after.sequence, before_.sequence);
  EXPECT_TRUE(after.items.empty());
}

TEST_F(FixRichTextFieldsTest, DocumentWithoutHideWhenRecordsIsNotSaved) {
  const NoteImage after =
      Fix({TextItem("Subject", {"Hello"}), RichTextItem("Body", {TextParagraph("Plain")})});
  EXPECT_EQ(after.sequence, before_.sequence);
  EXPECT_EQ(after.items.size(), before_.items.size());
}

TEST_F(FixRichTextFieldsTest, EmptyAreaAndEmptyFormulaStayByteForByteYetTheDocumentIsSaved) {
  const NoteImage after = Fix({RichTextItem(
      "Body", {HiddenParagraph("No area", {}), HiddenParagraph("Empty", Compiled(""))})});
  EXPECT_EQ(after.sequence, before_.sequence + 1);
  EXPECT_EQ(FindItem(after, "Body")->value, FindItem(before_, "Body")->value);
}

TEST_F(FixRichTextFieldsTest, FormulaThatIsAlreadyFalseIsSavedAllTheSame) {
  const NoteImage after = Fix({RichTextItem("Body", {HiddenParagraph("Zero", Compiled("0"))})});
  EXPECT_EQ(after.sequence, before_.sequence + 1);
  EXPECT_EQ(Decompiled(Paragraphs(*FindItem(after, "Body"))[0].hide_when_area), "0");
}

TEST_F(FixRichTextFieldsTest, AreaTooSmallForTheReplacementIsLeftAlone) {
  auto tiny = Compiled("0");
  tiny.pop_back();
  const NoteImage after = Fix({RichTextItem("Body", {HiddenParagraph("Tiny", tiny)})});
  EXPECT_EQ(FindItem(after, "Body")->value, FindItem(before_, "Body")->value);
}

TEST_F(FixRichTextFieldsTest, AreaThatHoldsNoFormulaIsLeftAlone) {
  const std::vector<std::uint8_t> garbage(40, 0xEE);
  const NoteImage after = Fix({RichTextItem("Body", {HiddenParagraph("Junk", garbage)})});
  EXPECT_EQ(FindItem(after, "Body")->value, FindItem(before_, "Body")->value);
}

TEST_F(FixRichTextFieldsTest, FormulaClaimingToRunPastTheValueIsLeftAlone) {
  auto overlong = Compiled("@True");
  overlong[2] = 0xF0;  // the compiled form's own length, little-endian
  overlong[3] = 0xFF;
  const NoteImage after = Fix({RichTextItem("Body", {HiddenParagraph("Long", overlong)})});
  EXPECT_EQ(FindItem(after, "Body")->value, FindItem(before_, "Body")->value);
}

TEST_F(FixRichTextFieldsTest, RewritesHideWhenRecordsOfEveryRichTextItemAndNothingElse) {
  const ItemImage subject = TextItem("Subject", {"Status = \"Closed\""});
  const ItemImage opaque{"Blob", 0x0300, 0, {0xBB, 0xFF, 0x10, 0x00}};
  const NoteImage after =
      Fix({RichTextItem("Body", {HiddenParagraph("One", Compiled("@True"))}), subject, opaque,
           RichTextItem("Notes", {HiddenParagraph("Two", Compiled("1 = 1"))})});
  EXPECT_EQ(Decompiled(Paragraphs(*FindItem(after, "Body"))[0].hide_when_area), "0");
  EXPECT_EQ(Decompiled(Paragraphs(*FindItem(after, "Notes"))[0].hide_when_area), "0");
  EXPECT_EQ(FindItem(after, "Subject")->value, subject.value);
  EXPECT_EQ(FindItem(after, "Blob")->value, opaque.value);
}

TEST_F(FixRichTextFieldsTest, AnItemTheQueryCannotDescribeIsPassedOver) {
  fixtures::ArmFault(platform::GatedCall::kQueryItem, 0);
  const NoteImage after = Fix({TextItem("Subject", {"x"}),
                               RichTextItem("Body", {HiddenParagraph("x", Compiled("@True"))})});
  fixtures::DisarmFaults();
  EXPECT_EQ(Decompiled(Paragraphs(*FindItem(after, "Body"))[0].hide_when_area), "0");
}

TEST_F(FixRichTextFieldsTest, OpensByReplicaIdInBothTextFormsAndByLocalServer) {
  const auto area = Compiled("@True");
  unid_ = CreateDocument("r.nsf", kReplica, {RichTextItem("Body", {HiddenParagraph("x", area)})});
  EXPECT_EQ(FixRichTextFields("local", "85256E3A:0058F1B2", unid_.c_str()), 0);
  EXPECT_EQ(FixRichTextFields("LOCAL", "85256E3A0058F1B2", unid_.c_str()), 0);
  EXPECT_EQ(StoredNote("r.nsf", unid_).sequence, 3u);
}

TEST_F(FixRichTextFieldsTest, FailuresToReachTheDocumentReturnOneAndChangeNothing) {
  unid_ = CreateDocument("a.nsf", kReplica,
                         {RichTextItem("Body", {HiddenParagraph("x", Compiled("@True"))})});
  EXPECT_EQ(FixRichTextFields("Local", "a.nsf", unid_.c_str()), 1) << "Local is a server name";
  EXPECT_EQ(FixRichTextFields("", "missing.nsf", unid_.c_str()), 1);
  EXPECT_EQ(FixRichTextFields("", "85256E3A0058F1B", unid_.c_str()), 1) << "15 characters";
  const std::string too_long = "85256E3A0058F1B2" + std::string(56, '0');
  EXPECT_EQ(FixRichTextFields("", too_long.c_str(), unid_.c_str()), 1) << "past 71 characters";
  EXPECT_EQ(FixRichTextFields("", too_long.substr(0, 71).c_str(), unid_.c_str()), 0);
  EXPECT_EQ(FixRichTextFields("", "../a.nsf", unid_.c_str()), 1);
  EXPECT_EQ(FixRichTextFields("", "a.nsf", "not hex"), 1);
  EXPECT_EQ(FixRichTextFields("", "a.nsf", "0123456789ABCDEF0123456789ABCDEF"), 1);
  EXPECT_EQ(FixRichTextFields(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(StoredNote("a.nsf", unid_).sequence, 2u) << "saved by the one call that opened it";
}

TEST_F(FixRichTextFieldsTest, ConcurrentCallsEachRepairTheirOwnDocument) {
  constexpr int kThreads = 8;
  std::vector<std::string> unids;
  for (int i = 0; i < kThreads; ++i) {
    const std::vector<ItemImage> items =
        i % 2 == 0 ? std::vector{RichTextItem("Body", {HiddenParagraph("x", Compiled("@True"))})}
                   : std::vector{RichTextItem("Body", {TextParagraph("plain")})};
    unids.push_back(CreateDocument("db" + std::to_string(i) + ".nsf",
                                   TIMEDATE{{static_cast<std::uint32_t>(i), 7}}, items));
  }
  std::vector<std::thread> threads;
  std::vector<int> results(kThreads, -1);
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      for (int round = 0; round < 5; ++round) {
        results[i] =
            FixRichTextFields("", ("db" + std::to_string(i) + ".nsf").c_str(), unids[i].c_str());
      }
    });
  }
  for (auto& thread : threads) {
    thread.join();
  }
  for (int i = 0; i < kThreads; ++i) {
    EXPECT_EQ(results[i], 0);
    // Documents with a hide-when record are saved on every call; the others
    // never, which a shared changed flag would get wrong.
    EXPECT_EQ(StoredNote("db" + std::to_string(i) + ".nsf", unids[i]).sequence,
              i % 2 == 0 ? 6u : 1u);
  }
}

TEST(HideWhenRecordAction, RecordTooShortForItsFixedPartIsCountedButNotTouched) {
  std::vector<char> record = {static_cast<char>(0xBB), static_cast<char>(0xFF), 8, 0, 1, 0, 0, 0};
  const std::vector<char> before = record;
  HideWhenWalk walk;
  EXPECT_EQ(HideWhenRecordAction(record.data(), 0xFFBB, 8, &walk), platform::kNoError);
  EXPECT_EQ(walk.changed, 1);
  EXPECT_EQ(record, before);
}

TEST(HideWhenRecordAction, OtherRecordsAreIgnored) {
  char record[4] = {static_cast<char>(0x82), static_cast<char>(0xFF), 4, 0};
  HideWhenWalk walk;
  EXPECT_EQ(HideWhenRecordAction(record, 0xFF82, 4, &walk), platform::kNoError);
  EXPECT_EQ(walk.changed, 0);
}

}  // namespace
}  // namespace quendral::fixtures
