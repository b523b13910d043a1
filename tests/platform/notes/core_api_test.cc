#include "platform/notes/core/core_api.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/notes/core/memory.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/notes_test_support.h"

namespace quendral::platform {
namespace {

using fixtures::Document;
using fixtures::MakeUnid;
using fixtures::OpenDocument;
using fixtures::SessionOn;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

class CoreItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures::WriteDatabase(
        data_.path() / "db.nsf", TIMEDATE{{1, 2}},
        {Document(1, {TextItem("First", {"a"}), TextItem(std::string(300, 'N'), {"long"}),
                      TextItem("First", {"b"})}),
         Document(2, {})});
    session_ = std::make_unique<SessionOn>(data_.path());
    OpenDocument(**session_, "db.nsf", MakeUnid(1), &db_, &doc_);
    note_ = doc_.GetNoteHandle(1);
  }

  // The names of all items, walked as the repairs walk them.
  std::vector<std::string> WalkNames() {
    std::vector<std::string> names;
    BLOCKID item{};
    STATUS status = FindItem(note_, nullptr, 0, &item, nullptr, nullptr, nullptr);
    while (status == kNoError) {
      char name[261];
      std::uint16_t length = 0;
      EXPECT_EQ(
          QueryItem(note_, item, name, sizeof name, &length, nullptr, nullptr, nullptr, nullptr),
          kNoError);
      names.emplace_back(name, length);
      status = FindNextItem(note_, item, nullptr, 0, &item, nullptr, nullptr, nullptr);
    }
    EXPECT_EQ(status, kErrNoMoreItems);
    return names;
  }

  TemporaryDirectory data_;
  std::unique_ptr<SessionOn> session_;
  LNDatabase db_;
  LNDocument doc_;
  NOTEHANDLE note_ = 0;
};

TEST_F(CoreItemsTest, WalkVisitsItemsInStorageOrder) {
  std::vector<std::string> names = WalkNames();
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "First");
  EXPECT_EQ(names[1], std::string(260, 'N'));  // cut to the buffer
  EXPECT_EQ(names[2], "First");
}

TEST_F(CoreItemsTest, QueryGivesTypeFlagsAndValueWithItsTypeWord) {
  BLOCKID item{};
  ASSERT_EQ(FindItem(note_, "First", 5, &item, nullptr, nullptr, nullptr), kNoError);
  std::uint16_t flags = 1;
  std::uint16_t type = 0;
  BLOCKID value{};
  std::uint32_t length = 0;
  ASSERT_EQ(QueryItem(note_, item, nullptr, 0, nullptr, &flags, &type, &value, &length), kNoError);
  EXPECT_EQ(flags, 0);
  EXPECT_EQ(type, kTypeTextList);
  ASSERT_EQ(length, 2u + 2 + 2 + 1);
  const auto* block = static_cast<const std::uint8_t*>(LockMemory(value.pool)) + value.block;
  EXPECT_EQ(block[0], 0x01);
  EXPECT_EQ(block[1], 0x05);
  EXPECT_EQ(block[6], 'a');
  UnlockMemory(value.pool);
}

TEST_F(CoreItemsTest, NamedSearchFindsEachItemOfTheName) {
  BLOCKID item{};
  BLOCKID value{};
  ASSERT_EQ(FindItem(note_, "First", 5, &item, nullptr, &value, nullptr), kNoError);
  ASSERT_EQ(FindNextItem(note_, item, "First", 5, &item, nullptr, &value, nullptr), kNoError);
  EXPECT_EQ(static_cast<const char*>(LockMemory(value.pool))[6], 'b');
  EXPECT_EQ(FindNextItem(note_, item, "First", 5, &item, nullptr, nullptr, nullptr),
            kErrNoMoreItems);
  EXPECT_EQ(FindItem(note_, "Missing", 7, &item, nullptr, nullptr, nullptr), kErrItemNotFound);
  EXPECT_EQ(FindItem(note_, "first", 5, &item, nullptr, nullptr, nullptr), kErrItemNotFound);
}

TEST_F(CoreItemsTest, AddingItemsLeavesOtherValuesInPlace) {
  BLOCKID value{};
  ASSERT_EQ(FindItem(note_, "First", 5, nullptr, nullptr, &value, nullptr), kNoError);
  auto* before = static_cast<std::uint8_t*>(LockMemory(value.pool)) + value.block;
  for (int i = 0; i < 200; ++i) {
    ASSERT_EQ(doc_.CreateItem("Added" + std::to_string(i), 0x0100, "xyz", 3, 0, kItemOptionAppend),
              0u);
  }
  before[6] = 'Z';
  BLOCKID again{};
  ASSERT_EQ(FindItem(note_, "First", 5, nullptr, nullptr, &again, nullptr), kNoError);
  EXPECT_EQ(static_cast<std::uint8_t*>(LockMemory(again.pool)) + again.block, before);
  EXPECT_EQ(fixtures::ItemText(doc_, "First"), "Z");
  EXPECT_EQ(WalkNames().size(), 203u);
}

TEST_F(CoreItemsTest, RemovedItemsDropOutOfTheWalk) {
  BLOCKID first{};
  ASSERT_EQ(FindItem(note_, nullptr, 0, &first, nullptr, nullptr, nullptr), kNoError);
  ASSERT_EQ(doc_.DeleteItem("First"), 0u);
  EXPECT_EQ(QueryItem(note_, first, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr),
            kErrItemNotFound);
  BLOCKID next{};
  ASSERT_EQ(FindNextItem(note_, first, nullptr, 0, &next, nullptr, nullptr, nullptr), kNoError);
  EXPECT_EQ(WalkNames().size(), 1u);
}

TEST_F(CoreItemsTest, BadHandlesAndBlocksAreErrors) {
  BLOCKID item{};
  EXPECT_EQ(FindItem(0, nullptr, 0, &item, nullptr, nullptr, nullptr), kErrInvalidHandle);
  EXPECT_EQ(FindItem(0x7FFFFFFF, nullptr, 0, &item, nullptr, nullptr, nullptr), kErrInvalidHandle);
  EXPECT_EQ(QueryItem(note_, BLOCKID{note_, 999}, nullptr, 0, nullptr, nullptr, nullptr, nullptr,
                      nullptr),
            kErrItemNotFound);
  EXPECT_EQ(QueryItem(note_, BLOCKID{note_ + 1, 0}, nullptr, 0, nullptr, nullptr, nullptr, nullptr,
                      nullptr),
            kErrItemNotFound);
  EXPECT_EQ(FindNextItem(note_, BLOCKID{note_, 999}, nullptr, 0, &item, nullptr, nullptr, nullptr),
            kErrItemNotFound);
  ASSERT_EQ(doc_.Close(), 0u);
  EXPECT_EQ(FindItem(note_, nullptr, 0, &item, nullptr, nullptr, nullptr), kErrInvalidHandle);
  EXPECT_EQ(doc_.GetNoteHandle(1), 0u);
}

TEST_F(CoreItemsTest, NoteWithoutItemsHasNoFirstItem) {
  LNDocument empty;
  ASSERT_EQ(db_.GetDocument(MakeUnid(2), &empty), 0u);
  ASSERT_EQ(empty.Open(0), 0u);
  BLOCKID item{};
  EXPECT_EQ(FindItem(empty.GetNoteHandle(1), nullptr, 0, &item, nullptr, nullptr, nullptr),
            kErrItemNotFound);
}

TEST(CoreFormula, CompileAndTurnBackIntoText) {
  DHANDLE formula = 0;
  std::uint16_t length = 0;
  STATUS error = 1;
  ASSERT_EQ(CompileFormulaText(nullptr, 0, "0", 1, &formula, &length, &error, nullptr, nullptr,
                               nullptr, nullptr),
            kNoError);
  EXPECT_EQ(error, kNoError);
  EXPECT_GT(length, 0);
  EXPECT_EQ(MemorySize(formula), length);
  DHANDLE text = 0;
  std::uint16_t text_length = 0;
  ASSERT_EQ(
      FormulaToText(static_cast<const char*>(LockMemory(formula)), false, &text, &text_length),
      kNoError);
  EXPECT_EQ(std::string(static_cast<const char*>(LockMemory(text)), text_length), "0");
  EXPECT_EQ(FreeMemory(text), kNoError);
  EXPECT_EQ(FreeMemory(formula), kNoError);
}

TEST(CoreFormula, SyntaxErrorTellsWhere) {
  const char* text = "x := 1;\ny := (2";
  DHANDLE formula = 0;
  STATUS error = 0;
  std::uint16_t line = 0;
  std::uint16_t column = 0;
  std::uint16_t offset = 0;
  std::uint16_t length = 0;
  EXPECT_EQ(CompileFormulaText(nullptr, 0, text, static_cast<std::uint16_t>(std::strlen(text)),
                               &formula, nullptr, &error, &line, &column, &offset, &length),
            kErrFormulaSyntax);
  EXPECT_EQ(error, kErrFormulaSyntax);
  EXPECT_EQ(formula, 0u);
  EXPECT_EQ(line, 2);
  EXPECT_GE(offset, 8);
  EXPECT_EQ(column, offset - 8 + 1);
}

TEST(CoreFormula, BytesThatAreNoFormulaAreRefused) {
  std::vector<char> junk(formula::kMaxCompiledLength + 1, '\x7F');
  DHANDLE text = 0;
  EXPECT_EQ(FormulaToText(junk.data(), false, &text, nullptr), kErrFormulaSyntax);
  EXPECT_EQ(FormulaToText(nullptr, false, &text, nullptr), kErrInvalidArgument);
}

}  // namespace
}  // namespace quendral::platform
