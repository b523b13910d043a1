#include "platform/notes/notes_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/notes/api/item_values.h"

namespace quendral::platform::fixtures {

TemporaryDirectory::TemporaryDirectory() {
  // create_directory reports a name that exists already, so a name taken by
  // another test program is never shared.
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate = base / ("notes-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = std::filesystem::canonical(candidate);
      return;
    }
  }
  ADD_FAILURE() << "no fresh directory could be made in " << base;
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

UNIVERSALNOTEID MakeUnid(std::uint32_t seed) {
  return UNIVERSALNOTEID{{{seed, 0x11111111}}, {{seed * 7 + 1, 0x22222222}}};
}

store::ItemImage TextItem(const std::string& name, const std::vector<std::string>& texts) {
  store::ItemImage item;
  item.name = name;
  item.type = kTypeTextList;
  EXPECT_EQ(values::EncodeTextList(texts, &item.value), kNoError);
  return item;
}

store::NoteImage Document(std::uint32_t seed, std::vector<store::ItemImage> items) {
  store::NoteImage note;
  note.unid = MakeUnid(seed);
  note.items = std::move(items);
  return note;
}

void WriteDatabase(const std::filesystem::path& file, TIMEDATE replica_id,
                   std::vector<store::NoteImage> notes) {
  std::filesystem::create_directories(file.parent_path());
  store::DatabaseImage image{"Test database", replica_id, std::move(notes)};
  ASSERT_EQ(store::CreateDatabaseFile(file, image, false), kNoError);
}

SessionOn::SessionOn(const std::filesystem::path& data_directory) {
  LNSetThrowAllErrorsGlobal(0);
  session_.SetDataDirectory(data_directory.string());
  EXPECT_EQ(session_.Initialize(230, 0, nullptr, 1, nullptr), 0u);
}

SessionOn::~SessionOn() { session_.Term(0); }

void OpenDocument(LNNotesSession& session, const std::string& path, const UNIVERSALNOTEID& unid,
                  LNDatabase* db, LNDocument* doc) {
  ASSERT_EQ(session.GetDatabase(path, db), 0u);
  ASSERT_EQ(db->Open(), 0u);
  ASSERT_EQ(db->GetDocument(unid, doc), 0u);
  ASSERT_EQ(doc->Open(0), 0u);
}

std::string ItemText(const LNNote& note, const std::string& name) {
  LNText text;
  LNString joined;
  if (note.GetItem(name, &text) != 0 || text.GetText(&joined, ";") != 0) {
    return "<missing>";
  }
  return joined.GetString();
}

}  // namespace quendral::platform::fixtures
