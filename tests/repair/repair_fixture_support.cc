#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_universal_id.h"
#include "platform/notes/formula/formula.h"
#include "platform/os/environment.h"
#include "repair/repair_fixture.h"

namespace quendral::fixtures {

namespace fs = std::filesystem;
namespace store = platform::store;

void RepairTest::SetUp() {
  std::random_device random;
  data_directory_ = fs::temp_directory_path() / ("quendral-repair-" + std::to_string(random()));
  fs::create_directories(data_directory_);
  os::SetEnvironment("NOTES_DATA_DIR", data_directory_.string().c_str());
}

void RepairTest::TearDown() {
  std::error_code ignored;
  fs::remove_all(data_directory_, ignored);
}

std::string RepairTest::CreateDocument(const std::string& path, const TIMEDATE& replica_id,
                                       std::vector<store::ItemImage> items) {
  store::DatabaseImage image;
  image.title = path;
  image.replica_id = replica_id;
  store::NoteImage note;
  std::random_device random;
  note.unid = UNIVERSALNOTEID{{{random(), random()}}, {{random(), random()}}};
  note.items = std::move(items);
  image.notes.push_back(note);
  fs::create_directories((data_directory_ / path).parent_path());
  EXPECT_EQ(store::CreateDatabaseFile(data_directory_ / path, image, false), platform::kNoError);
  return LNUniversalID::Format(note.unid).GetString();
}

store::NoteImage RepairTest::StoredNote(const std::string& path, const std::string& unid) const {
  store::DatabaseImage image;
  EXPECT_EQ(store::ReadDatabaseImage(data_directory_ / path, &image), platform::kNoError);
  for (const store::NoteImage& note : image.notes) {
    if (LNUniversalID::Format(note.unid).GetString() == unid) {
      return note;
    }
  }
  ADD_FAILURE() << "no note " << unid << " in " << path;
  return {};
}

const store::ItemImage* RepairTest::FindItem(const store::NoteImage& note,
                                             const std::string& name) const {
  for (const store::ItemImage& item : note.items) {
    if (item.name == name) {
      return &item;
    }
  }
  return nullptr;
}

std::vector<std::uint8_t> Compiled(const std::string& formula) {
  std::vector<std::uint8_t> bytes;
  platform::formula::CompileError error;
  EXPECT_TRUE(platform::formula::Compile(formula, &bytes, &error)) << error.message;
  return bytes;
}

platform::richtext::Paragraph TextParagraph(const std::string& text) {
  platform::richtext::Paragraph paragraph;
  paragraph.runs.push_back({platform::richtext::Run::Kind::kText, text, 0});
  return paragraph;
}

platform::richtext::Paragraph HiddenParagraph(const std::string& text,
                                              std::vector<std::uint8_t> hide_when_area) {
  platform::richtext::Paragraph paragraph = TextParagraph(text);
  paragraph.has_hide_when = true;
  paragraph.hide_when_area = std::move(hide_when_area);
  return paragraph;
}

store::ItemImage RichTextItem(const std::string& name,
                              const std::vector<platform::richtext::Paragraph>& paragraphs) {
  return {name, platform::kTypeCompositeText, 0, platform::values::EncodeRichText(paragraphs)};
}

store::ItemImage TextItem(const std::string& name, const std::vector<std::string>& texts) {
  store::ItemImage item{name, platform::kTypeTextList, 0, {}};
  EXPECT_EQ(platform::values::EncodeTextList(texts, &item.value), platform::kNoError);
  return item;
}

}  // namespace quendral::fixtures
