#include "platform/notes/api/database_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/notes/api/item_values.h"
#include "platform/notes/notes_test_support.h"

namespace quendral::platform::store {
namespace {

using fixtures::Document;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

ItemImage Item(const std::string& name, std::uint16_t type, values::Bytes value,
               std::uint16_t flags = 0) {
  return ItemImage{name, type, flags, std::move(value)};
}

// A note with an item of every kind the platform knows.
NoteImage NoteOfEveryType() {
  values::Bytes numbers;
  values::Bytes times;
  // A link table of one entry whose replica ID is {1, 2}.
  values::Bytes links(2 + 40, 0);
  links[0] = 1;
  links[2] = 1;
  links[6] = 2;
  EXPECT_EQ(values::EncodeNumberList({1.5, -3}, &numbers), kNoError);
  EXPECT_EQ(values::EncodeTimeList({formula::DateTime{983776089}}, &times), kNoError);
  richtext::Paragraph paragraph;
  paragraph.runs.push_back(richtext::Run{richtext::Run::Kind::kText, "Body text", 0});
  NoteImage note = Document(1, {TextItem("Subject", {"Hello", "World"})});
  note.items.push_back(Item("Count", kTypeNumberList, numbers, 0x0004));
  note.items.push_back(Item("Single", kTypeNumber, values::EncodeNumber(7)));
  note.items.push_back(Item("When", kTypeTimeList, times));
  note.items.push_back(Item("Body", kTypeCompositeText, values::EncodeRichText({paragraph})));
  note.items.push_back(Item("$Links", kTypeNoteLinkList, links));
  note.items.push_back(Item("Opaque", 0x7777, {0, 1, 2, 0xFF}));
  note.items.push_back(Item("Empty", kTypeTimeList, {}, 0x0448));
  note.items.push_back(TextItem("Subject", {"second of the name"}));
  note.sequence = 5;
  note.created = formula::DateTime{1000};
  note.modified = formula::DateTime{2000};
  return note;
}

void ExpectSameItems(const std::vector<ItemImage>& actual, const std::vector<ItemImage>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].name, expected[i].name) << i;
    EXPECT_EQ(actual[i].type, expected[i].type) << i;
    EXPECT_EQ(actual[i].flags, expected[i].flags) << i;
    EXPECT_EQ(actual[i].value, expected[i].value) << i;
  }
}

TEST(DatabaseFile, ImageRoundTripsEveryItemTypeInOrder) {
  TemporaryDirectory directory;
  NoteImage document = NoteOfEveryType();
  NoteImage profile;
  profile.note_class = NoteClass::kProfile;
  profile.profile_name = "Settings";
  profile.profile_user = "CN=Anne";
  profile.items.push_back(TextItem("Colour", {"blue"}));
  DatabaseImage image{"Everything", TIMEDATE{{0x0058F1B2, 0x85256E3A}}, {document, profile}};
  std::filesystem::path file = directory.path() / "all.nsf";
  ASSERT_EQ(CreateDatabaseFile(file, image, false), kNoError);

  DatabaseImage read;
  ASSERT_EQ(ReadDatabaseImage(file, &read), kNoError);
  EXPECT_EQ(read.title, "Everything");
  EXPECT_EQ(read.replica_id.Innards[1], 0x85256E3Au);
  ASSERT_EQ(read.notes.size(), 2u);
  const NoteImage& back = read.notes[0];
  EXPECT_EQ(back.unid.Note.Innards[0], document.unid.Note.Innards[0]);
  EXPECT_EQ(back.sequence, 5u);
  EXPECT_EQ(back.created.seconds, 1000);
  EXPECT_EQ(back.modified.seconds, 2000);
  ExpectSameItems(back.items, document.items);
  EXPECT_EQ(read.notes[1].note_class, NoteClass::kProfile);
  EXPECT_EQ(read.notes[1].profile_name, "Settings");
  EXPECT_EQ(read.notes[1].profile_user, "CN=Anne");
  EXPECT_NE(read.notes[1].unid.File.Innards[0] | read.notes[1].unid.Note.Innards[0], 0u);
}

TEST(DatabaseFile, ExistingFileIsReplacedOnlyWhenAsked) {
  TemporaryDirectory directory;
  std::filesystem::path file = directory.path() / "db.nsf";
  ASSERT_EQ(CreateDatabaseFile(file, DatabaseImage{"First", {}, {}}, false), kNoError);
  EXPECT_EQ(CreateDatabaseFile(file, DatabaseImage{"Second", {}, {}}, false), kErrDatabaseExists);
  DatabaseImage read;
  ASSERT_EQ(ReadDatabaseImage(file, &read), kNoError);
  EXPECT_EQ(read.title, "First");

  ASSERT_EQ(CreateDatabaseFile(file, DatabaseImage{"Second", {}, {}}, true), kNoError);
  ASSERT_EQ(ReadDatabaseImage(file, &read), kNoError);
  EXPECT_EQ(read.title, "Second");
}

TEST(DatabaseFile, FailedCreationLeavesNothingBehind) {
  TemporaryDirectory directory;
  std::filesystem::path file = directory.path() / "dup.nsf";
  DatabaseImage image{"Dup", {}, {Document(3, {}), Document(3, {})}};
  EXPECT_EQ(CreateDatabaseFile(file, image, false), kErrInvalidArgument);
  EXPECT_TRUE(std::filesystem::is_empty(directory.path()));

  // A folder that does not exist: the write fails and no stray file stays.
  EXPECT_NE(CreateDatabaseFile(directory.path() / "missing" / "x.nsf", DatabaseImage{}, false),
            kNoError);
  EXPECT_TRUE(std::filesystem::is_empty(directory.path()));
}

// Written and read a note at a time, over more notes than are listed at
// once; a writer dropped before it finishes leaves nothing.
TEST(DatabaseFile, NoteByNoteWritingAndReading) {
  TemporaryDirectory directory;
  const std::filesystem::path file = directory.path() / "many.nsf";
  std::unique_ptr<DatabaseFileWriter> writer;
  ASSERT_EQ(DatabaseFileWriter::Begin(file, false, &writer), kNoError);
  constexpr std::uint32_t kNotes = 2500;
  for (std::uint32_t i = 1; i <= kNotes; ++i) {
    ASSERT_EQ(writer->Add(Document(i, {TextItem("N", {std::to_string(i)})})), kNoError);
  }
  EXPECT_EQ(writer->Add(Document(7, {})), kErrInvalidArgument);
  EXPECT_FALSE(std::filesystem::exists(file));
  ASSERT_EQ(writer->Finish("Many", TIMEDATE{{1, 2}}), kNoError);
  DatabaseInfo info;
  std::uint32_t read = 0;
  ASSERT_EQ(ReadDatabaseNotes(file, &info,
                              [&](const NoteImage& note) {
                                EXPECT_EQ(note.items.at(0).name, "N");
                                EXPECT_EQ(note.note_id, ++read);
                                return kNoError;
                              }),
            kNoError);
  EXPECT_EQ(read, kNotes);
  EXPECT_EQ(info.title, "Many");
  EXPECT_EQ(info.replica_id.Innards[1], 2u);

  const std::filesystem::path dropped = directory.path() / "dropped.nsf";
  ASSERT_EQ(DatabaseFileWriter::Begin(dropped, false, &writer), kNoError);
  ASSERT_EQ(writer->Add(Document(1, {})), kNoError);
  writer.reset();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 1);
}

TEST(DatabaseFile, OtherFilesAreDamagedAndStayUntouched) {
  TemporaryDirectory directory;
  std::filesystem::path file = directory.path() / "text.nsf";
  std::ofstream(file) << "not a database";
  DatabaseImage read;
  EXPECT_EQ(ReadDatabaseImage(file, &read), kErrDatabaseDamaged);
  EXPECT_EQ(ReadDatabaseImage(directory.path() / "none.nsf", &read), kErrDatabaseNotFound);

  std::filesystem::path empty = directory.path() / "empty.nsf";
  { std::ofstream touch(empty); }
  LNNotesSession session;
  session.SetDataDirectory(directory.path().string());
  ASSERT_EQ(session.Initialize(), 0u);
  LNDatabase db;
  ASSERT_EQ(session.GetDatabase("empty.nsf", &db), 0u);
  EXPECT_EQ(db.Open(), kErrDatabaseDamaged);
  EXPECT_EQ(std::filesystem::file_size(empty), 0u);
  EXPECT_EQ(std::filesystem::file_size(file), std::string("not a database").size());
}

TEST(DatabaseFile, ListingFindsDatabasesBelowADirectory) {
  TemporaryDirectory directory;
  fixtures::WriteDatabase(directory.path() / "b.nsf", TIMEDATE{{2, 0}}, {Document(1, {})});
  fixtures::WriteDatabase(directory.path() / "apps" / "a.nsf", TIMEDATE{{1, 0}},
                          {Document(1, {}), Document(2, {})});
  std::ofstream(directory.path() / "readme.txt") << "hello";
  std::vector<DatabaseListing> listings;
  ASSERT_EQ(ListDatabases(directory.path(), &listings), kNoError);
  ASSERT_EQ(listings.size(), 2u);
  EXPECT_EQ(listings[0].path, std::filesystem::path("apps/a.nsf"));
  EXPECT_EQ(listings[0].note_count, 2u);
  EXPECT_EQ(listings[0].replica_id.Innards[0], 1u);
  EXPECT_EQ(listings[0].title, "Test database");
  EXPECT_EQ(listings[1].path, std::filesystem::path("b.nsf"));
  EXPECT_EQ(ListDatabases(directory.path() / "nowhere", &listings), kErrDatabaseNotFound);
}

}  // namespace
}  // namespace quendral::platform::store
