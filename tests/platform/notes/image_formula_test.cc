#include "platform/notes/api/image_formula.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/notes/api/item_values.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/notes_test_support.h"
#include "platform/notes/store/store.h"

namespace quendral::platform {
namespace {

using fixtures::Document;
using fixtures::MakeUnid;
using fixtures::OpenDocument;
using fixtures::SessionOn;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

// A formula sees on a note's images what it sees on the open note, what
// earlier formulas assigned included.
TEST(ImageFormula, SeesWhatTheOpenNoteShows) {
  TemporaryDirectory data;
  richtext::Paragraph paragraph;
  paragraph.runs.push_back({richtext::Run::Kind::kText, "Body text", 0});
  store::NoteImage note = Document(1, {TextItem("Subject", {"Hello"})});
  note.items.push_back({"Body", kTypeCompositeText, 0, values::EncodeRichText({paragraph})});
  note.created = formula::DateTime{1000};
  fixtures::WriteDatabase(data.path() / "db.nsf", TIMEDATE{{1, 1}}, {note});
  SessionOn session(data.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  session->SetUserName("CN=Anne/O=Acme");
  ASSERT_EQ(db.SetAccessList({{"Anne/Acme", 3, formula::kCreateDocuments, {"[Sales]"}}}), 0u);
  LNProfileDocument profile;
  ASSERT_EQ(db.GetProfileDocument("Settings", &profile), 0u);
  LNText color;
  ASSERT_EQ(color.SetValue("Blue"), 0u);
  ASSERT_EQ(profile.SetProfileField("Color", color), 0u);
  std::unique_ptr<store::Store> stored;
  ASSERT_EQ(store::Store::Open(data.path() / "db.nsf", &stored), kNoError);
  store::NoteHeader header;
  ASSERT_EQ(stored->FindDocument(MakeUnid(1), &header), kNoError);
  std::vector<store::ItemImage> items = note.items;
  const ImageDatabase facts(db);

  // Each with whether it reads anything of the note.
  const std::pair<const char*, bool> formulas[] = {
      {"Subject + \"!\"", true},
      {"Body", true},
      {"@DocumentUniqueID", true},
      {"@Created", true},
      {"FIELD Subject := \"Bye\"; 1", true},
      {"Subject = \"Bye\"", true},
      {"FIELD Count := 2; Count + 1", true},
      {"Missing", true},
      {"subject + SUBJECT", true},
      {"FIELD subject := \"Low\"; Subject", true},
      {"@UserRoles", false},
      {"@UserAccess(\"\"; [AccessLevel]:[CreateDocuments])", false},
      {"@GetProfileField(\"Settings\"; \"Color\")", false},
      {"@Attachments", true},
      {"x := 2; x * 3", false},
  };
  for (const auto& [text, reads_note] : formulas) {
    std::vector<std::uint8_t> compiled;
    ASSERT_TRUE(formula::Compile(text, &compiled, nullptr)) << text;
    formula::Value on_image;
    formula::DecodedFormula decoded;
    ASSERT_TRUE(formula::DecodedFormula::Decode(compiled.data(), compiled.size(), &decoded));
    bool used_note = !reads_note;
    ASSERT_EQ(EvaluateOnImage(decoded, header, &items, &on_image, &used_note, nullptr, &facts),
              kNoError)
        << text;
    EXPECT_EQ(used_note, reads_note) << text;
    LNFormula formula;
    ASSERT_EQ(formula.SetText(text), 0u);
    LNItem result;
    ASSERT_EQ(formula.Evaluate(&result, &doc), 0u) << text;
    formula::Value on_note;
    ASSERT_EQ(values::DecodeFormulaValue(result.GetType(), result.GetValuePtr(),
                                         result.GetValueLength(), &on_note),
              kNoError);
    EXPECT_EQ(on_image, on_note) << text;
  }
  // Assigned in another case, the item was replaced, not joined by another.
  EXPECT_EQ(std::count_if(items.begin(), items.end(),
                          [](const store::ItemImage& item) { return item.name == "Subject"; }),
            1);
  EXPECT_EQ(items.size(), note.items.size() + 1);  // and Count
}

}  // namespace
}  // namespace quendral::platform
