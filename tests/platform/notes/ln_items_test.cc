// The typed views of items: what they read and write, stand-alone and in a
// note.
#include <gtest/gtest.h>

#include "platform/notes/api/item_values.h"
#include "platform/notes/core/core_api.h"
#include "platform/notes/core/memory.h"
#include "platform/notes/notes_test_support.h"

namespace quendral::platform {
namespace {

using fixtures::Document;
using fixtures::MakeUnid;
using fixtures::OpenDocument;
using fixtures::SessionOn;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

TEST(StandAloneItems, TextsJoinWithTheSeparator) {
  LNText text;
  EXPECT_EQ(text.GetType(), kTypeTextList);
  ASSERT_EQ(text.SetValue("one", 1), 0u);
  ASSERT_EQ(text.Append("two"), 0u);
  LNString joined;
  ASSERT_EQ(text.GetText(&joined, ";"), 0u);
  EXPECT_EQ(joined, LNString("one;two"));
  EXPECT_EQ(text.GetCount(), 2u);
  EXPECT_EQ(text[1], LNString("two"));
  EXPECT_EQ(text[2], LNString());
}

TEST(StandAloneItems, NumbersInsertAppendAndFormat) {
  LNNumbers numbers;
  ASSERT_EQ(numbers.Append(2), 0u);
  ASSERT_EQ(numbers.Insert(0, 1), 0u);
  ASSERT_EQ(numbers.Insert(numbers.GetCount(), 2.5), 0u);
  EXPECT_EQ(numbers.Insert(9, 1), kErrInvalidArgument);
  LNString joined;
  ASSERT_EQ(numbers.GetText(&joined, ";"), 0u);
  EXPECT_EQ(joined, LNString("1;2;2.5"));
  EXPECT_EQ(numbers[2], 2.5);
  ASSERT_EQ(numbers.SetValue(-2.9), 0u);
  EXPECT_EQ(numbers.GetCount(), 1u);
  EXPECT_EQ(numbers[0], -2.9);
}

TEST(StandAloneItems, DatetimesGiveCivilParts) {
  LNDatetimes times;
  LNDatetime when(formula::MakeDateTime(formula::CivilTime{2001, 3, 5, 7, 8, 9}));
  ASSERT_EQ(times.SetValue(when), 0u);
  ASSERT_EQ(times.Append(LNDatetime(formula::DateTime{0})), 0u);
  const LNDatetime zoned(formula::DateTime{formula::MakeDateTime({2024, 6, 1, 10, 0, 0}).seconds,
                                           formula::Zone{60, true}});
  ASSERT_EQ(times.Append(zoned), 0u);
  EXPECT_NE(times.Append(LNDatetime(formula::DateTime{std::int64_t{1} << 62})), 0u);
  LNString joined;
  ASSERT_EQ(times.GetText(&joined, ";"), 0u);
  EXPECT_EQ(joined, LNString("2001-03-05T07:08:09;1970-01-01T00:00:00;"
                             "2024-06-01T10:00:00+02:00 DST"));
  EXPECT_EQ(times[2].GetHour(), 10);
  EXPECT_EQ(times[2].GetDateTime().zone, zoned.GetDateTime().zone);
  EXPECT_EQ(LNDatetime(zoned.GetTimedate()).GetDateTime().zone, zoned.GetDateTime().zone);
  LNDatetime first = times[0];
  EXPECT_EQ(first.GetYear(), 2001);
  EXPECT_EQ(first.GetMonth(), 3);
  EXPECT_EQ(first.GetDay(), 5);
  EXPECT_EQ(first.GetHour(), 7);
  EXPECT_EQ(first.GetMinute(), 8);
  EXPECT_EQ(first.GetSecond(), 9);
  EXPECT_EQ(LNDatetime(first.GetTimedate()), first);
}

TEST(StandAloneItems, WrongViewIsATypeMismatch) {
  LNNumbers numbers;
  ASSERT_EQ(numbers.SetValue(1), 0u);
  LNText as_text(numbers);
  LNString text("stale");
  EXPECT_EQ(as_text.GetText(&text, ";"), kErrItemTypeMismatch);
  EXPECT_EQ(text, LNString());
  EXPECT_EQ(as_text.GetCount(), 1u);
  LNRichText as_rich(numbers);
  EXPECT_EQ(as_rich.GetText(&text), kErrItemTypeMismatch);
  LNItem null;
  EXPECT_TRUE(null.IsNull());
  EXPECT_EQ(LNText(null).GetText(&text, ";"), kErrItemNotFound);
}

class NoteItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    richtext::Paragraph first;
    first.runs.push_back(richtext::Run{richtext::Run::Kind::kText, "First line", 0});
    richtext::Paragraph second;
    second.runs.push_back(richtext::Run{richtext::Run::Kind::kText, "Second", 0});
    store::ItemImage body{"Body", kTypeCompositeText, 0, values::EncodeRichText({first, second})};
    store::ItemImage broken{"Broken", kTypeTextList, 0, {5, 0, 1}};
    fixtures::WriteDatabase(data_.path() / "db.nsf", TIMEDATE{{1, 1}},
                            {Document(1, {TextItem("Names", {"a", "b"}), body, broken})});
  }
  TemporaryDirectory data_;
};

TEST_F(NoteItemsTest, ViewsReadTheNotesItems) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNItem item;
  ASSERT_EQ(doc.GetItem("Body", &item), 0u);
  EXPECT_EQ(item.GetType(), kTypeCompositeText);
  EXPECT_EQ(item.GetName(), LNString("Body"));
  LNRichText body = item;
  LNString text;
  ASSERT_EQ(body.GetText(&text), 0u);
  EXPECT_EQ(text, LNString("First line\nSecond\n"));

  LNText broken;
  ASSERT_EQ(doc.GetItem("Broken", &broken), 0u);
  EXPECT_EQ(broken.GetText(&text, ";"), kErrItemValueInvalid);
  EXPECT_EQ(broken.GetCount(), 0u);

  std::vector<LNItem> items;
  ASSERT_EQ(doc.GetItems(&items), 0u);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[2].GetName(), LNString("Broken"));
}

TEST_F(NoteItemsTest, ChangesThroughAViewAreChangesOfTheNote) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNText names;
  ASSERT_EQ(doc.GetItem("Names", &names), 0u);
  ASSERT_EQ(names.Append("c"), 0u);
  EXPECT_EQ(fixtures::ItemText(doc, "Names"), "a;b;c");
  // The core calls see the same value.
  BLOCKID value{};
  std::uint32_t length = 0;
  ASSERT_EQ(FindItem(doc.GetNoteHandle(1), "Names", 5, nullptr, nullptr, &value, &length),
            kNoError);
  EXPECT_EQ(length, 2u + 2 + 3 * 2 + 3);
  EXPECT_EQ(names.GetValuePtr(),
            static_cast<const std::uint8_t*>(LockMemory(value.pool)) + value.block + 2);
}

TEST_F(NoteItemsTest, MissingItemLeavesANullItem) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNText text;
  ASSERT_EQ(doc.GetItem("Names", &text), 0u);
  EXPECT_EQ(doc.GetItem("Nothing", &text), kErrItemNotFound);
  EXPECT_TRUE(text.IsNull());
  EXPECT_FALSE(doc.HasItem("Nothing"));
  EXPECT_TRUE(doc.HasItem("Names"));
}

}  // namespace
}  // namespace quendral::platform
