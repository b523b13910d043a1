#include "platform/notes/api/document_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/notes/notes_test_support.h"

namespace quendral::platform {
namespace {

using fixtures::Document;
using fixtures::MakeUnid;
using fixtures::SessionOn;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

constexpr TIMEDATE kReplica{{0x11, 0x22}};

bool SameUnid(const UNIVERSALNOTEID& left, const UNIVERSALNOTEID& right) {
  return std::memcmp(&left, &right, sizeof left) == 0;
}

// Five documents, a profile among them, in a database opened by a session.
class DocumentImagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<store::NoteImage> notes;
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
      notes.push_back(Document(seed, {TextItem("Subject", {"note " + std::to_string(seed)})}));
      if (seed == 3) {
        store::NoteImage profile = Document(100, {TextItem("Limit", {"9"})});
        profile.note_class = store::NoteClass::kProfile;
        profile.profile_name = "Settings";
        notes.push_back(profile);
      }
    }
    fixtures::WriteDatabase(data_.path() / "db.nsf", kReplica, notes);
    ASSERT_EQ(session_->GetDatabase("db.nsf", &db_), 0u);
    ASSERT_EQ(db_.Open(), 0u);
  }

  TemporaryDirectory data_;
  SessionOn session_{data_.path()};
  LNDatabase db_;
};

// Every document once, in note ID order, with its items, whatever the page
// size; profiles are not documents.
TEST_F(DocumentImagesTest, ReadsEveryDocumentOnceWhateverThePageSize) {
  for (std::size_t page_size : {1u, 2u, 5u, 1000u}) {
    std::vector<UNIVERSALNOTEID> read;
    std::int64_t last_note_id = 0;
    ASSERT_EQ(DocumentImages(db_).ForEach(
                  page_size,
                  [&](const store::NoteHeader& header, std::vector<store::ItemImage>& items) {
                    EXPECT_GT(header.note_id, last_note_id);
                    last_note_id = header.note_id;
                    EXPECT_EQ(header.note_class, store::NoteClass::kDocument);
                    EXPECT_EQ(items.size(), 1u);
                    EXPECT_EQ(items.empty() ? "" : items[0].name, "Subject");
                    read.push_back(header.unid);
                    return STATUS{kNoError};
                  }),
              kNoError)
        << page_size;
    ASSERT_EQ(read.size(), 5u) << page_size;
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
      EXPECT_TRUE(SameUnid(read[seed - 1], MakeUnid(seed))) << page_size << " " << seed;
    }
  }
}

TEST_F(DocumentImagesTest, StopsAtTheFirstStatusOfTheSink) {
  int told = 0;
  EXPECT_EQ(
      DocumentImages(db_).ForEach(2,
                                  [&](const store::NoteHeader&, std::vector<store::ItemImage>&) {
                                    return ++told == 3 ? kErrInvalidArgument : kNoError;
                                  }),
      kErrInvalidArgument);
  EXPECT_EQ(told, 3);
}

TEST_F(DocumentImagesTest, AnswersWhetherADocumentIsStored) {
  const DocumentImages images(db_);
  const struct {
    std::uint32_t seed;
    bool held;
  } cases[] = {{1, true}, {5, true}, {6, false}, {100, false}};  // 100: the profile
  for (const auto& c : cases) {
    bool held = !c.held;
    EXPECT_EQ(images.Holds(MakeUnid(c.seed), &held), kNoError) << c.seed;
    EXPECT_EQ(held, c.held) << c.seed;
  }
  std::vector<UNIVERSALNOTEID> ids;
  ASSERT_EQ(images.ListIds(3, &ids), kNoError);
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_TRUE(SameUnid(ids[2], MakeUnid(3)));
}

// The reads go through the database's own connection: closed, it reads
// nothing, and opened again it reads again.
TEST_F(DocumentImagesTest, ReadsOnlyWhileTheDatabaseIsOpen) {
  const DocumentImages images(db_);
  ASSERT_EQ(db_.Close(), 0u);
  bool held = false;
  std::vector<UNIVERSALNOTEID> ids;
  EXPECT_EQ(images.Holds(MakeUnid(1), &held), kErrDatabaseNotOpen);
  EXPECT_EQ(images.ListIds(10, &ids), kErrDatabaseNotOpen);
  EXPECT_EQ(images.ForEach(10, [](const store::NoteHeader&,
                                  std::vector<store::ItemImage>&) { return STATUS{kNoError}; }),
            kErrDatabaseNotOpen);
  ASSERT_EQ(db_.Open(), 0u);
  EXPECT_EQ(images.Holds(MakeUnid(1), &held), kNoError);
  EXPECT_TRUE(held);
  EXPECT_EQ(DocumentImages(LNDatabase()).ListIds(10, &ids), kErrDatabaseNotOpen);
}

}  // namespace
}  // namespace quendral::platform
