#include <fstream>
#include <iterator>

#include "batch/batch_fixture.h"
#include "notes/open_database.h"

namespace quendral::fixtures {

namespace store = platform::store;
namespace values = platform::values;

store::ItemImage LinksItem(const std::vector<NoteLink>& links) {
  store::ItemImage item{"$Links", platform::kTypeNoteLinkList, 0, {}};
  EXPECT_TRUE(EncodeLinkTable(links, &item.value));
  return item;
}

NoteLink LinkTo(const TIMEDATE& replica, const UNIVERSALNOTEID& note) {
  return {replica, UNIVERSALNOTEID{{{1, 2}}, {{3, 4}}}, note};
}

store::NoteImage SampleDocument(int index) {
  store::NoteImage note;
  const auto word = static_cast<std::uint32_t>(index);
  note.unid = UNIVERSALNOTEID{{{0xD0C0000u, word}}, {{0x5EED, word}}};
  note.items = {
      TextItem("Subject", {"Document " + std::to_string(index)}),
      TextItem("Status", {index % 2 == 1 ? "Closed" : "Open"}),
      RichTextItem("Body",
                   {TextParagraph("Shown"),
                    HiddenParagraph("Hidden when closed", Compiled("Status = \"Closed\""))}),
      LinksItem({LinkTo(kOldReplica, UNIVERSALNOTEID{{{9, word}}, {{9, word}}})}),
  };
  return note;
}

void BatchTest::SetUp() {
  RepairTest::SetUp();
  LNSetThrowAllErrorsGlobal(0);
  ASSERT_EQ(session_.Initialize(), 0);
}

void BatchTest::TearDown() {
  session_.Term();
  RepairTest::TearDown();
}

void BatchTest::CreateDatabase(const std::string& path, const TIMEDATE& replica_id,
                               std::vector<store::NoteImage> notes) {
  store::DatabaseImage image;
  image.title = path;
  image.replica_id = replica_id;
  image.notes = std::move(notes);
  ASSERT_EQ(store::CreateDatabaseFile(data_directory_ / path, image, false), platform::kNoError);
}

LNDatabase BatchTest::Open(const std::string& path) {
  LNDatabase database;
  EXPECT_EQ(OpenNotesDatabase(session_, database, "", path.c_str()), 0);
  return database;
}

std::vector<store::NoteImage> BatchTest::StoredNotes(const std::string& path) const {
  store::DatabaseImage image;
  EXPECT_EQ(store::ReadDatabaseImage(data_directory_ / path, &image), platform::kNoError);
  return image.notes;
}

std::vector<std::uint8_t> BatchTest::FileBytes(const std::string& path) const {
  std::ifstream file(data_directory_ / path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

report::RunSummary BatchTest::Run(const std::string& path, batch::DocumentRepair& repair,
                                  const batch::RunOptions& options) {
  LNDatabase database = Open(path);
  report::RunSummary summary;
  batch::RunOverDatabase(database, repair, options, &summary);
  database.Close();
  return summary;
}

}  // namespace quendral::fixtures
