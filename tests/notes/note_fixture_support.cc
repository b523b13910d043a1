#include <cstring>
#include <random>

#include "notes/note_fixture.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/richtext/paragraphs.h"

namespace quendral::note_testing {

namespace fs = std::filesystem;
namespace store = platform::store;

namespace {

constexpr char kDatabase[] = "helpers.nsf";

platform::richtext::Paragraph Paragraph(const std::string& text) {
  platform::richtext::Paragraph paragraph;
  paragraph.runs.push_back({platform::richtext::Run::Kind::kText, text, 0});
  return paragraph;
}

store::ItemImage EveryType(const std::string& name) {
  if (name == "Single") {
    return {name, platform::kTypeNumber, 0, platform::values::EncodeNumber(7)};
  }
  if (name == "Due") {
    store::ItemImage item{name, platform::kTypeTimeList, 0, {}};
    const platform::formula::DateTime due =
        platform::formula::MakeDateTime(platform::formula::CivilTime{2001, 3, 5, 7, 8, 9});
    EXPECT_EQ(platform::values::EncodeTimeList({due}, &item.value), platform::kNoError);
    return item;
  }
  return {name, platform::kTypeCompositeText, 0,
          platform::values::EncodeRichText({Paragraph("First"), Paragraph("Second")})};
}

}  // namespace

store::ItemImage TextItem(const std::string& name, const std::vector<std::string>& texts) {
  store::ItemImage item{name, platform::kTypeTextList, 0, {}};
  EXPECT_EQ(platform::values::EncodeTextList(texts, &item.value), platform::kNoError);
  return item;
}

store::ItemImage NumberItem(const std::string& name, const std::vector<double>& numbers) {
  store::ItemImage item{name, platform::kTypeNumberList, 0, {}};
  EXPECT_EQ(platform::values::EncodeNumberList(numbers, &item.value), platform::kNoError);
  return item;
}

void NoteFixture::SetUp() {
  std::random_device random;
  data_directory_ = fs::temp_directory_path() / ("quendral-helpers-" + std::to_string(random()));
  fs::create_directories(data_directory_);
  store::NoteImage note;
  note.unid = UNIVERSALNOTEID{{{random(), random()}}, {{random(), random()}}};
  note.items = {TextItem("Subject", {"Hello"}),
                TextItem("Names", {"a", "b"}),
                NumberItem("Count", {1, 2}),
                EveryType("Single"),
                EveryType("Due"),
                EveryType("Body")};
  unid_ = note.unid;
  const store::DatabaseImage image{"Helpers", TIMEDATE{{1, 2}}, {note}};
  ASSERT_EQ(store::CreateDatabaseFile(data_directory_ / kDatabase, image, false),
            platform::kNoError);

  LNSetThrowAllErrorsGlobal(0);
  session_.SetDataDirectory(data_directory_.string());
  ASSERT_EQ(session_.Initialize(230, 0, nullptr, 1, nullptr), 0u);
  ASSERT_EQ(session_.GetDatabase(kDatabase, &database_), 0u);
  ASSERT_EQ(database_.Open(), 0u);
  ASSERT_EQ(database_.GetDocument(unid_, &document_), 0u);
  ASSERT_EQ(document_.Open(0), 0u);
}

void NoteFixture::TearDown() {
  LNSetThrowAllErrorsGlobal(0);
  document_.Close();
  database_.Close();
  session_.Term(0);
  std::error_code ignored;
  fs::remove_all(data_directory_, ignored);
}

store::NoteImage NoteFixture::StoredNote() const {
  store::DatabaseImage image;
  EXPECT_EQ(store::ReadDatabaseImage(data_directory_ / kDatabase, &image), platform::kNoError);
  for (const store::NoteImage& note : image.notes) {
    if (std::memcmp(&note.unid, &unid_, sizeof unid_) == 0) {
      return note;
    }
  }
  ADD_FAILURE() << "the document is not stored";
  return {};
}

store::ItemImage NoteFixture::StoredItem(const std::string& name) const {
  for (const store::ItemImage& item : StoredNote().items) {
    if (item.name == name) {
      return item;
    }
  }
  ADD_FAILURE() << "no stored item " << name;
  return {};
}

bool NoteFixture::StoredHasItem(const std::string& name) const {
  for (const store::ItemImage& item : StoredNote().items) {
    if (item.name == name) {
      return true;
    }
  }
  return false;
}

std::string NoteFixture::ItemText(const std::string& name) const {
  LNItem item;
  if (document_.GetItem(name, &item) != 0) {
    return "<missing>";
  }
  platform::formula::Value list;
  if (platform::values::DecodeFormulaValue(item.GetType(), item.GetValuePtr(),
                                           item.GetValueLength(), &list) != platform::kNoError) {
    return "<unreadable>";
  }
  const std::vector<std::string> texts = platform::formula::ValueAsTexts(list);
  std::string joined;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    joined += (i == 0 ? "" : ";") + texts[i];
  }
  return joined;
}

}  // namespace quendral::note_testing
