// Documents through the object API: reading, changing and saving them.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/notes/api/database_file.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/core/core_api.h"
#include "platform/notes/core/memory.h"
#include "platform/notes/notes_test_support.h"

namespace quendral::platform {
namespace {

using fixtures::Document;
using fixtures::ItemText;
using fixtures::MakeUnid;
using fixtures::OpenDocument;
using fixtures::SessionOn;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

class NoteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store::ItemImage big{"Big", 0x0100, 0, std::vector<std::uint8_t>(100000, 0x11)};
    fixtures::WriteDatabase(
        data_.path() / "db.nsf", TIMEDATE{{1, 2}},
        {Document(1, {TextItem("Subject", {"Hello"}), big, TextItem("Other", {"x", "y"})}),
         Document(2, {TextItem("Subject", {"Second"})})});
  }

  // The stored state as another reader sees it.
  store::NoteImage Stored(std::uint32_t seed) {
    store::DatabaseImage image;
    EXPECT_EQ(store::ReadDatabaseImage(data_.path() / "db.nsf", &image), kNoError);
    for (const store::NoteImage& note : image.notes) {
      if (note.unid.File.Innards[0] == seed) {
        return note;
      }
    }
    ADD_FAILURE() << "no note " << seed;
    return {};
  }

  static std::vector<std::string> StoredTexts(const store::ItemImage& item) {
    std::vector<std::string> texts;
    EXPECT_EQ(values::DecodeTextList(item.value.data(), item.value.size(), &texts), kNoError);
    return texts;
  }

  TemporaryDirectory data_;
};

TEST_F(NoteTest, SaveStoresChangesAndCountsTheSequence) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  EXPECT_EQ(ItemText(doc, "Subject"), "Hello");
  std::uint32_t sequence = doc.GetSequenceNumber();

  LNText subject;
  ASSERT_EQ(doc.GetItem("Subject", &subject), 0u);
  ASSERT_EQ(subject.SetValue("Changed", 1), 0u);
  EXPECT_EQ(StoredTexts(Stored(1).items[0]), std::vector<std::string>{"Hello"});
  ASSERT_EQ(doc.Save(0), 0u);
  EXPECT_EQ(doc.GetSequenceNumber(), sequence + 1);

  store::NoteImage stored = Stored(1);
  EXPECT_EQ(stored.sequence, sequence + 1);
  EXPECT_EQ(StoredTexts(stored.items[0]), std::vector<std::string>{"Changed"});
  EXPECT_EQ(stored.items[1].value.size(), 100000u);
  EXPECT_EQ(Stored(2).sequence, 1u);
}

TEST_F(NoteTest, InPlaceWritesThroughLockedMemoryAreSaved) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  BLOCKID item{};
  BLOCKID value{};
  std::uint32_t length = 0;
  ASSERT_EQ(FindItem(doc.GetNoteHandle(1), "Big", 3, &item, nullptr, &value, &length), kNoError);
  ASSERT_EQ(length, 100002u);
  auto* block = static_cast<std::uint8_t*>(LockMemory(value.pool)) + value.block;
  block[2 + 50000] = 0x99;
  block[2 + 99999] = 0x98;
  UnlockMemory(value.pool);
  ASSERT_EQ(doc.Save(0), 0u);

  std::vector<std::uint8_t> stored = Stored(1).items[1].value;
  ASSERT_EQ(stored.size(), 100000u);
  EXPECT_EQ(stored[50000], 0x99);
  EXPECT_EQ(stored[99999], 0x98);
  EXPECT_EQ(stored[49999], 0x11);
  EXPECT_EQ(stored[0], 0x11);

  // A later change is found again, now against the saved bytes.
  block = static_cast<std::uint8_t*>(LockMemory(value.pool)) + value.block;
  block[2] = 0x42;
  UnlockMemory(value.pool);
  ASSERT_EQ(doc.Save(0), 0u);
  stored = Stored(1).items[1].value;
  EXPECT_EQ(stored[0], 0x42);
  EXPECT_EQ(stored[50000], 0x99);
}

TEST_F(NoteTest, InPlaceChangeOfTheTypeWordIsSaved) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  BLOCKID value{};
  ASSERT_EQ(FindItem(doc.GetNoteHandle(1), "Big", 3, nullptr, nullptr, &value, nullptr), kNoError);
  auto* block = static_cast<std::uint8_t*>(LockMemory(value.pool)) + value.block;
  block[0] = 0x34;
  block[1] = 0x12;
  ASSERT_EQ(doc.Save(0), 0u);
  EXPECT_EQ(Stored(1).items[1].type, 0x1234);
}

// What a run decides to save by: any change of bytes, type, flags or
// items counts; bytes changed and changed back do not.
TEST_F(NoteTest, UnsavedChangesAreAnyDifferenceFromTheStoredNote) {
  const auto big_byte = [](LNDocument& doc, std::size_t offset, std::uint8_t byte) {
    BLOCKID value{};
    ASSERT_EQ(FindItem(doc.GetNoteHandle(1), "Big", 3, nullptr, nullptr, &value, nullptr),
              kNoError);
    static_cast<std::uint8_t*>(LockMemory(value.pool))[value.block + offset] = byte;
    UnlockMemory(value.pool);
  };
  const struct {
    const char* change;
    std::function<void(LNDocument&)> make;
    bool unsaved;
  } cases[] = {
      {"none", [](LNDocument&) {}, false},
      {"last value byte", [&](LNDocument& doc) { big_byte(doc, 2 + 99999, 0x12); }, true},
      {"type word", [&](LNDocument& doc) { big_byte(doc, 0, 0x77); }, true},
      {"byte changed back",
       [&](LNDocument& doc) {
         big_byte(doc, 2 + 5, 0x12);
         big_byte(doc, 2 + 5, 0x11);
       },
       false},
      {"flags",
       [](LNDocument& doc) {
         LNItem subject;
         ASSERT_EQ(doc.GetItem("Subject", &subject), 0u);
         ASSERT_EQ(doc.CreateItem("Subject", subject, 0x0100, kItemOptionReplace), 0u);
       },
       true},
      {"added item",
       [](LNDocument& doc) { ASSERT_EQ(doc.CreateItem("New", 0x0100, "", 0, 0, 0), 0u); }, true},
      {"removed item", [](LNDocument& doc) { ASSERT_EQ(doc.DeleteItem("Other"), 0u); }, true},
  };
  for (const auto& [change, make, unsaved] : cases) {
    SessionOn session(data_.path());
    LNDatabase db;
    LNDocument doc;
    OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
    make(doc);
    EXPECT_EQ(doc.HasUnsavedChanges(), unsaved) << change;
  }
}

TEST_F(NoteTest, UnsavedChangesAreDroppedByClose) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNText subject;
  ASSERT_EQ(doc.GetItem("Subject", &subject), 0u);
  ASSERT_EQ(subject.SetValue("Lost", 1), 0u);
  ASSERT_EQ(doc.Close(), 0u);
  EXPECT_FALSE(doc.IsOpen());
  EXPECT_EQ(subject.GetCount(), 0u);  // the item went with the note
  ASSERT_EQ(doc.Open(0), 0u);
  EXPECT_EQ(ItemText(doc, "Subject"), "Hello");
}

TEST_F(NoteTest, SaveOfANoteChangedSinceItWasOpenedIsAConflict) {
  SessionOn first_session(data_.path());
  SessionOn second_session(data_.path());
  LNDatabase first_db;
  LNDatabase second_db;
  LNDocument first;
  LNDocument second;
  OpenDocument(*first_session, "db.nsf", MakeUnid(1), &first_db, &first);
  OpenDocument(*second_session, "db.nsf", MakeUnid(1), &second_db, &second);

  LNText text;
  ASSERT_EQ(first.GetItem("Subject", &text), 0u);
  ASSERT_EQ(text.SetValue("From first", 1), 0u);
  ASSERT_EQ(second.GetItem("Subject", &text), 0u);
  ASSERT_EQ(text.SetValue("From second", 1), 0u);
  ASSERT_EQ(first.Save(0), 0u);
  EXPECT_EQ(second.Save(0), kErrSaveConflict);
  EXPECT_EQ(ItemText(first, "Subject"), "From first");

  // Nothing of the failed save reached the file.
  SessionOn reader(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*reader, "db.nsf", MakeUnid(1), &db, &doc);
  EXPECT_EQ(ItemText(doc, "Subject"), "From first");

  // Reopened, the second one sees the first's change and may save again.
  ASSERT_EQ(second.Close(), 0u);
  ASSERT_EQ(second.Open(0), 0u);
  EXPECT_EQ(ItemText(second, "Subject"), "From first");
  EXPECT_EQ(second.Save(0), 0u);
}

// Documents listed a page at a time are read as the page's view of the file
// while the page is read, and as the file is now once it ended; either way
// a save detects the saves of others since.
TEST_F(NoteTest, ListedDocumentsOpenAsTheirPageSawThemOrAsTheFileIsNow) {
  SessionOn session(data_.path());
  SessionOn writer_session(data_.path());
  LNDatabase db;
  ASSERT_EQ(session->GetDatabase("db.nsf", &db), 0u);
  ASSERT_EQ(db.Open(), 0u);
  const auto save_elsewhere = [&](std::uint32_t seed, const char* subject) {
    LNDatabase writer_db;
    LNDocument writer;
    OpenDocument(*writer_session, "db.nsf", MakeUnid(seed), &writer_db, &writer);
    LNText text;
    ASSERT_EQ(writer.GetItem("Subject", &text), 0u);
    ASSERT_EQ(text.SetValue(subject, 1), 0u);
    ASSERT_EQ(writer.Save(0), 0u);
  };

  std::vector<LNDocument> page;
  ASSERT_EQ(db.BeginReadGroup(), 0u);
  ASSERT_EQ(db.GetDocuments(0, 10, &page), 0u);
  ASSERT_EQ(page.size(), 2u);
  save_elsewhere(2, "Changed while the page was read");
  ASSERT_EQ(page[1].Open(0), 0u);
  EXPECT_EQ(ItemText(page[1], "Subject"), "Second");
  ASSERT_EQ(db.EndReadGroup(), 0u);
  save_elsewhere(1, "Changed after the page");

  ASSERT_EQ(page[0].Open(0), 0u);
  EXPECT_EQ(ItemText(page[0], "Subject"), "Changed after the page");
  EXPECT_EQ(page[0].Save(0), 0u);
  EXPECT_EQ(page[1].Save(0), kErrSaveConflict);
  EXPECT_EQ(StoredTexts(Stored(2).items[0]),
            std::vector<std::string>{"Changed while the page was read"});
}

TEST_F(NoteTest, ConflictAlsoWhenTheOtherSaveChangedOnlyBytesInPlace) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument first;
  LNDocument second;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &first);
  ASSERT_EQ(db.GetDocument(MakeUnid(1), &second), 0u);
  ASSERT_EQ(second.Open(0), 0u);
  BLOCKID value{};
  ASSERT_EQ(FindItem(first.GetNoteHandle(1), "Big", 3, nullptr, nullptr, &value, nullptr),
            kNoError);
  static_cast<std::uint8_t*>(LockMemory(value.pool))[10] = 0x55;
  ASSERT_EQ(first.Save(0), 0u);
  ASSERT_EQ(FindItem(second.GetNoteHandle(1), "Big", 3, nullptr, nullptr, &value, nullptr),
            kNoError);
  static_cast<std::uint8_t*>(LockMemory(value.pool))[20] = 0x66;
  EXPECT_EQ(second.Save(0), kErrSaveConflict);
  EXPECT_EQ(Stored(1).items[1].value[8], 0x55);
  EXPECT_EQ(Stored(1).items[1].value[18], 0x11);
}

TEST_F(NoteTest, CreateItemReplacesOrAppends) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNText source;
  ASSERT_EQ(source.SetValue("copy", 1), 0u);
  ASSERT_EQ(doc.CreateItem("Subject", source, 0x0008, kItemOptionAppend), 0u);
  ASSERT_EQ(doc.CreateItem("Other", source, 0x0008, kItemOptionReplace), 0u);
  LNItem created;
  ASSERT_EQ(
      doc.CreateItem("Fresh", kTypeNumberList, nullptr, 0, 0x0448, kItemOptionReplace, &created),
      0u);
  EXPECT_EQ(created.GetType(), kTypeNumberList);
  EXPECT_EQ(created.GetFlags(), 0x0448);
  ASSERT_EQ(doc.Save(0), 0u);

  std::vector<store::ItemImage> items = Stored(1).items;
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].name, "Subject");
  EXPECT_EQ(items[2].name, "Other");  // replaced where it was
  EXPECT_EQ(items[2].flags, 0x0008);
  EXPECT_EQ(items[3].name, "Subject");
  EXPECT_EQ(items[4].name, "Fresh");
  EXPECT_TRUE(items[4].value.empty());
}

TEST_F(NoteTest, ReplaceRemovesFurtherItemsOfTheName) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNText source;
  ASSERT_EQ(source.SetValue("one", 1), 0u);
  ASSERT_EQ(doc.CreateItem("Subject", source, 0, kItemOptionAppend), 0u);
  ASSERT_EQ(doc.CreateItem("Subject", source, 0, kItemOptionReplace), 0u);
  ASSERT_EQ(doc.Save(0), 0u);
  std::vector<store::ItemImage> items = Stored(1).items;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].name, "Subject");
  ASSERT_EQ(doc.DeleteItem("Subject"), 0u);
  EXPECT_EQ(doc.DeleteItem("Subject"), kErrItemNotFound);
  ASSERT_EQ(doc.Save(0), 0u);
  EXPECT_EQ(Stored(1).items.size(), 2u);
}

TEST_F(NoteTest, ItemsAddedOverSeveralSavesFollowTheStoredOnes) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNText text;
  ASSERT_EQ(text.SetValue("a", 1), 0u);
  ASSERT_EQ(doc.CreateItem("First", text, 0, kItemOptionAppend), 0u);
  EXPECT_TRUE(doc.HasUnsavedChanges());
  ASSERT_EQ(doc.Save(0), 0u);
  EXPECT_FALSE(doc.HasUnsavedChanges());
  ASSERT_EQ(doc.CreateItem("Second", text, 0, kItemOptionAppend), 0u);
  ASSERT_EQ(doc.DeleteItem("Big"), 0u);
  ASSERT_EQ(doc.CreateItem("Third", text, 0, kItemOptionAppend), 0u);
  ASSERT_EQ(doc.Save(0), 0u);
  ASSERT_EQ(doc.CreateItem("Fourth", text, 0, kItemOptionAppend), 0u);
  ASSERT_EQ(doc.Save(0), 0u);

  std::vector<std::string> names;
  for (const store::ItemImage& item : Stored(1).items) {
    names.push_back(item.name);
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"Subject", "Other", "First", "Second", "Third", "Fourth"}));
}

TEST_F(NoteTest, CopyOfAnItemOfTheSameNoteKeepsItsValue) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNItem other;
  ASSERT_EQ(doc.GetItem("Other", &other), 0u);
  ASSERT_EQ(doc.CreateItem("Other", other, 0, kItemOptionReplace), 0u);
  ASSERT_EQ(doc.CreateItem("Other_Backup", other, 8, kItemOptionAppend), 0u);
  EXPECT_EQ(ItemText(doc, "Other"), "x;y");
  EXPECT_EQ(ItemText(doc, "Other_Backup"), "x;y");
}

TEST_F(NoteTest, NewDocumentsAreStoredByTheirFirstSave) {
  SessionOn session(data_.path());
  LNDatabase db;
  ASSERT_EQ(session->GetDatabase("db.nsf", &db), 0u);
  ASSERT_EQ(db.Open(), 0u);
  LNDocument doc;
  ASSERT_EQ(db.CreateDocument(&doc), 0u);
  EXPECT_TRUE(doc.IsOpen());
  LNText text;
  ASSERT_EQ(text.SetValue("new", 1), 0u);
  ASSERT_EQ(doc.CreateItem("Subject", text, 0, kItemOptionReplace), 0u);
  ASSERT_EQ(doc.Save(0), 0u);
  EXPECT_EQ(doc.GetSequenceNumber(), 1u);
  EXPECT_NE(doc.GetNoteID(), 0u);
  UNIVERSALNOTEID unid{};
  ASSERT_EQ(doc.GetUniversalID(&unid), 0u);

  LNDocument again;
  ASSERT_EQ(db.GetDocument(unid, &again), 0u);
  ASSERT_EQ(again.Open(0), 0u);
  EXPECT_EQ(ItemText(again, "Subject"), "new");
  std::vector<UNIVERSALNOTEID> ids;
  ASSERT_EQ(db.GetDocumentIDs(&ids), 0u);
  EXPECT_EQ(ids.size(), 3u);
}

TEST_F(NoteTest, ProfileFieldsAreStoredAtOnce) {
  SessionOn session(data_.path());
  LNDatabase db;
  ASSERT_EQ(session->GetDatabase("db.nsf", &db), 0u);
  ASSERT_EQ(db.Open(), 0u);
  LNProfileDocument profile;
  ASSERT_EQ(db.GetProfileDocument("Settings", &profile), 0u);
  LNNumbers number;
  ASSERT_EQ(number.SetValue(2.9), 0u);
  ASSERT_EQ(profile.SetProfileField("Limit", number), 0u);

  LNProfileDocument same;
  ASSERT_EQ(db.GetProfileDocument("Settings", &same), 0u);
  LNNumbers read;
  ASSERT_EQ(same.GetProfileField("Limit", &read), 0u);
  EXPECT_EQ(read[0], 2.9);
  LNProfileDocument other_user;
  ASSERT_EQ(db.GetProfileDocument("Settings", &other_user, "CN=Bob"), 0u);
  EXPECT_EQ(other_user.GetProfileField("Limit", &read), kErrItemNotFound);
  // Profiles are not documents.
  UNIVERSALNOTEID unid{};
  ASSERT_EQ(same.GetUniversalID(&unid), 0u);
  LNDocument doc;
  EXPECT_EQ(db.GetDocument(unid, &doc), kErrNoteNotFound);
}

TEST_F(NoteTest, DocumentLookupErrors) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  ASSERT_EQ(session->GetDatabase("db.nsf", &db), 0u);
  EXPECT_EQ(db.GetDocument(MakeUnid(1), &doc), kErrDatabaseNotOpen);
  ASSERT_EQ(db.Open(), 0u);
  EXPECT_EQ(db.GetDocument(MakeUnid(99), &doc), kErrNoteNotFound);
  EXPECT_EQ(doc.Save(0), kErrNoteNotOpen);
  ASSERT_EQ(db.GetDocument(MakeUnid(1), &doc), 0u);
  ASSERT_EQ(doc.Open(0), 0u);
  ASSERT_EQ(db.Close(), 0u);
  EXPECT_FALSE(db.IsOpen());
  EXPECT_EQ(doc.Save(0), kErrDatabaseNotOpen);
}

}  // namespace
}  // namespace quendral::platform
