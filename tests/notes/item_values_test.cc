// Reading items as one text or an integer, making one-value items, and
// evaluating formulas into text items.
#include "notes/item_values.h"

#include <gtest/gtest.h>

#include <climits>

#include "notes/formula_evaluation.h"
#include "notes/note_fixture.h"
#include "platform/os/code_page.h"

namespace quendral {
namespace {

using note_testing::NoteFixture;

class ReadItemTextTest : public NoteFixture {
 protected:
  std::string Read(const char* name) {
    std::string text = "stale";
    const std::int32_t length = ReadItemText(document_, &text, name);
    EXPECT_EQ(length, static_cast<std::int32_t>(text.size())) << name;
    std::string other = "stale";
    EXPECT_EQ(ReadItemText(document_, name, &other), length) << name;
    EXPECT_EQ(other, text) << "the entries differ only in argument order";
    return text;
  }
};

TEST_F(ReadItemTextTest, ListsJoinWithSemicolons) {
  EXPECT_EQ(Read("Subject"), "Hello");
  EXPECT_EQ(Read("Names"), "a;b");
  EXPECT_EQ(Read("Count"), "1;2");
  LNDatetimes due;
  ASSERT_EQ(document_.GetItem("Due", &due), 0u);
  LNString due_text;
  ASSERT_EQ(due.GetText(&due_text, ";"), 0u);
  EXPECT_EQ(Read("Due"), due_text.GetString());
  EXPECT_FALSE(due_text.IsNull());
}

TEST_F(ReadItemTextTest, RichTextIsItsWholePlainText) {
  EXPECT_EQ(Read("Body"), "First\nSecond\n");
}

TEST_F(ReadItemTextTest, MissingOrUnhandledItemsReadEmpty) {
  EXPECT_EQ(Read("Single"), "") << "a single number (0x0300) is not in the table";
  EXPECT_EQ(Read("Nothing"), "");
  EXPECT_EQ(Read(""), "");
  EXPECT_EQ(Read(nullptr), "");
}

TEST_F(ReadItemTextTest, ErrorsReadEmptyWhicheverTheErrorMode) {
  for (const int mode : {0, 1}) {
    LNSetThrowAllErrorsGlobal(mode);
    EXPECT_EQ(Read("Nothing"), "");
    document_.Close();
    EXPECT_EQ(Read("Subject"), "") << "closed note";
    LNSetThrowAllErrorsGlobal(0);
    ASSERT_EQ(document_.Open(0), 0u);
  }
}

TEST_F(ReadItemTextTest, DamagedValueReadsEmpty) {
  const std::uint8_t cut[] = {5, 0, 1};
  ASSERT_EQ(document_.CreateItem("Damaged", platform::kTypeTextList, cut, sizeof cut, 0,
                                 platform::kItemOptionReplace),
            0u);
  LNSetThrowAllErrorsGlobal(1);
  EXPECT_EQ(Read("Damaged"), "");
}

TEST_F(ReadItemTextTest, TextIsConvertedToNative) {
  std::string probe = "\x9B\x9D";
  if (!os::OemToAnsi(&probe) || probe != "\xA2\xA5") {
    GTEST_SKIP() << "the OEM code page is not 437";
  }
  CreateTextItem(document_, "Oem",
                 "Gr\x9B"
                 "d \x9D"
                 "l \x80");
  EXPECT_EQ(Read("Oem"),
            "Gr\xF8"
            "d \xD8"
            "l \xC7");
}

TEST(NotesTextToNative, CentAndYenBecomeTheOWithStroke) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    std::string converted = text;
    os::OemToAnsi(&converted);
    const std::string native = NotesTextToNative(text);
    ASSERT_EQ(native.size(), 1u) << byte;
    if (converted == "\xA5") {
      EXPECT_EQ(native, "\xD8") << byte;
    } else if (converted == "\xA2") {
      EXPECT_EQ(native, "\xF8") << byte;
    } else {
      EXPECT_EQ(native, converted) << byte;
    }
  }
}

TEST(NotesTextToNative, PlainTextAndZeroBytesStay) {
  EXPECT_EQ(NotesTextToNative("CN=Ann/O=Acme; 1-2"), "CN=Ann/O=Acme; 1-2");
  EXPECT_EQ(NotesTextToNative(LNString(std::string("a\0b", 3))), std::string("a\0b", 3));
  EXPECT_EQ(NotesTextToNative(""), "");
}

class ReadItemIntegerTest : public NoteFixture {};

TEST_F(ReadItemIntegerTest, ReadsTheLeadingDecimalNumber) {
  CreateTextItem(document_, "Code", "12abc");
  std::int32_t stored = -5;
  EXPECT_EQ(ReadItemInteger(document_, "Code", &stored), 12);
  EXPECT_EQ(stored, 12);
  CreateTextItem(document_, "Code", "  -42;7");
  EXPECT_EQ(ReadItemInteger(document_, "Code", &stored), -42);
  EXPECT_EQ(ReadItemInteger(document_, "Count", nullptr), 1) << "1;2 reads as 1";
}

TEST_F(ReadItemIntegerTest, EmptyMissingOrWordyTextIsZero) {
  std::int32_t stored = -5;
  EXPECT_EQ(ReadItemInteger(document_, "Nothing", &stored), 0);
  EXPECT_EQ(stored, 0);
  CreateTextItem(document_, "Empty", "");
  stored = -5;
  EXPECT_EQ(ReadItemInteger(document_, "Empty", &stored), 0);
  EXPECT_EQ(stored, 0);
  EXPECT_EQ(ReadItemInteger(document_, "Subject", &stored), 0);
}

TEST_F(ReadItemIntegerTest, OutOfRangeStopsAtTheLimits) {
  CreateTextItem(document_, "Big", "99999999999");
  EXPECT_EQ(ReadItemInteger(document_, "Big", nullptr), INT32_MAX);
  CreateTextItem(document_, "Big", "-99999999999999999999999");
  EXPECT_EQ(ReadItemInteger(document_, "Big", nullptr), INT32_MIN);
}

class CreateItemsTest : public NoteFixture {};

TEST_F(CreateItemsTest, OneValueItemsReplaceInMemoryOnly) {
  const std::uint32_t sequence = StoredNote().sequence;
  CreateTextItem(document_, "Subject", "Replaced");
  CreateNumberItem(document_, "Total", -17);
  EXPECT_EQ(ItemText("Subject"), "Replaced");
  EXPECT_EQ(ItemText("Total"), "-17");
  LNItem item;
  ASSERT_EQ(document_.GetItem("Total", &item), 0u);
  EXPECT_EQ(item.GetType(), platform::kTypeNumberList);
  EXPECT_EQ(item.GetFlags(), 0x0008);
  ASSERT_EQ(document_.GetItem("Subject", &item), 0u);
  EXPECT_EQ(item.GetType(), platform::kTypeTextList);
  EXPECT_EQ(item.GetFlags(), 0x0008);
  std::vector<LNItem> items;
  ASSERT_EQ(document_.GetItems(&items), 0u);
  EXPECT_EQ(items.size(), 7u) << "Subject replaced in place, Total added";
  EXPECT_EQ(StoredNote().sequence, sequence) << "not saved";
  EXPECT_FALSE(StoredHasItem("Total"));
}

TEST_F(CreateItemsTest, FailuresAreDropped) {
  LNSetThrowAllErrorsGlobal(1);
  EXPECT_NO_THROW(CreateTextItem(document_, "", "x"));
  EXPECT_NO_THROW(CreateNumberItem(document_, nullptr, 1));
  document_.Close();
  EXPECT_NO_THROW(CreateTextItem(document_, "Subject", "x"));
  EXPECT_NO_THROW(CreateNumberItem(document_, "Total", 1));
}

class EvaluateFormulaTest : public NoteFixture {};

TEST_F(EvaluateFormulaTest, CountsTheResultValues) {
  LNText result;
  EXPECT_EQ(EvaluateFormula("\"a\" : \"b\" : \"c\"", &result), 3);
  EXPECT_EQ(result[2], LNString("c"));
  EXPECT_EQ(EvaluateFormula("1 + 2", &result), 1);
}

TEST_F(EvaluateFormulaTest, AgainstANoteFieldsAreItsItems) {
  LNText result;
  EXPECT_EQ(EvaluateFormulaOnNote("Names : \"c\"", &result, document_), 3);
  EXPECT_EQ(EvaluateFormulaOnNote("FIELD Subject := \"Set\"; Subject", &result, document_), 1);
  EXPECT_EQ(ItemText("Subject"), "Set");
  EXPECT_EQ(StoredItem("Subject").value, note_testing::TextItem("Subject", {"Hello"}).value)
      << "changed in memory only";
}

TEST_F(EvaluateFormulaTest, FailuresGiveOneWhicheverTheErrorMode) {
  for (const int mode : {0, 1}) {
    LNSetThrowAllErrorsGlobal(mode);
    LNText result;
    EXPECT_EQ(EvaluateFormula("1 +", &result), 1) << mode;
    EXPECT_EQ(EvaluateFormula("1 + \"a\"", &result), 1) << mode;
    EXPECT_EQ(EvaluateFormulaOnNote("@Unknown(", &result, document_), 1) << mode;
    EXPECT_EQ(EvaluateFormula(nullptr, &result), 1) << mode;
    EXPECT_EQ(EvaluateFormula("1", nullptr), 1) << mode;
  }
}

}  // namespace
}  // namespace quendral
