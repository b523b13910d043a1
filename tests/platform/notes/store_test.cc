#include "platform/notes/store/store.h"

#include <gtest/gtest.h>

#include "platform/notes/notes_test_support.h"

namespace quendral::platform::store {
namespace {

using fixtures::Document;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

// Documents of several, one and no items around a profile, opened as a store.
class StoreReads : public ::testing::Test {
 protected:
  void SetUp() override {
    NoteImage profile;
    profile.note_class = NoteClass::kProfile;
    profile.profile_name = "Settings";
    profile.items.push_back(TextItem("Colour", {"blue"}));
    profile_ = profile.unid = UNIVERSALNOTEID{{{9, 9}}, {{9, 9}}};
    DatabaseImage image{"Pages", TIMEDATE{{1, 2}}, {}};
    image.notes = {Document(1, {TextItem("Subject", {"one"}), TextItem("Body", {"", "b"})}),
                   profile, Document(2, {}), Document(3, {TextItem("Subject", {"three"})})};
    documents_ = {image.notes[0], image.notes[2], image.notes[3]};
    const std::filesystem::path file = directory_.path() / "pages.nsf";
    ASSERT_EQ(CreateDatabaseFile(file, image, false), kNoError);
    ASSERT_EQ(Store::Open(file, &store_), kNoError);
  }

  TemporaryDirectory directory_;
  std::unique_ptr<Store> store_;
  std::vector<NoteImage> documents_;
  UNIVERSALNOTEID profile_{};
};

TEST_F(StoreReads, PagesOfDocumentsCarryTheirItemsInOrder) {
  std::vector<NoteImage> read;
  std::int64_t after = 0;
  for (std::size_t pages = 0; pages < 3; ++pages) {
    ASSERT_EQ(store_->ReadDocumentsAfter(
                  after, 2,
                  [&](const NoteHeader& header, const std::vector<ItemImage>& items) {
                    NoteImage note;
                    note.unid = header.unid;
                    note.items = items;
                    read.push_back(note);
                    after = header.note_id;
                    return STATUS{kNoError};
                  }),
              kNoError);
  }
  ASSERT_EQ(read.size(), documents_.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].unid.Note.Innards[0], documents_[i].unid.Note.Innards[0]) << i;
    ASSERT_EQ(read[i].items.size(), documents_[i].items.size()) << i;
    for (std::size_t j = 0; j < read[i].items.size(); ++j) {
      EXPECT_EQ(read[i].items[j].name, documents_[i].items[j].name);
      EXPECT_EQ(read[i].items[j].type, documents_[i].items[j].type);
      EXPECT_EQ(read[i].items[j].value, documents_[i].items[j].value);
    }
  }
}

TEST_F(StoreReads, SinkStatusStopsThePage) {
  int calls = 0;
  EXPECT_EQ(store_->ReadDocumentsAfter(0, 10,
                                       [&](const NoteHeader&, const std::vector<ItemImage>&) {
                                         ++calls;
                                         return STATUS{kErrNoteNotFound};
                                       }),
            kErrNoteNotFound);
  EXPECT_EQ(calls, 1);
}

TEST_F(StoreReads, OnlyStoredDocumentsAreFound) {
  bool found = false;
  ASSERT_EQ(store_->HasDocument(documents_[1].unid, &found), kNoError);
  EXPECT_TRUE(found);
  ASSERT_EQ(store_->HasDocument(profile_, &found), kNoError);
  EXPECT_FALSE(found);
  ASSERT_EQ(store_->HasDocument(UNIVERSALNOTEID{{{7, 7}}, {{7, 7}}}, &found), kNoError);
  EXPECT_FALSE(found);
}

}  // namespace
}  // namespace quendral::platform::store
