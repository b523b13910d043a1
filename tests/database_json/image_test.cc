// Databases read from JSON and written back, whole and note by note, and the
// errors that name what is wrong in the input.
#include "database_json/image.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quendral::database_json {
namespace {

using nlohmann::json;
using platform::store::NoteImage;

constexpr char kUnid[] = "0123456789ABCDEF0123456789ABCDEF";

json Image(json notes) {
  return {{"title", "Sales"}, {"replica_id", "85256E3A:0058F1B2"}, {"notes", std::move(notes)}};
}

json Note(json items) { return {{"unid", kUnid}, {"items", std::move(items)}}; }

// What reading `text` note by note throws, or "" when it reads.
std::string StreamError(const std::string& text,
                        const std::function<void(const NoteImage&)>& add = {}) {
  std::istringstream in(text);
  try {
    ReadJsonImage(in, "input.json", [&](const NoteImage& note) {
      if (add) {
        add(note);
      }
    });
  } catch (const FormatError& error) {
    return error.what();
  }
  return "";
}

TEST(JsonImage, NoteNotYetStoredExportsWithoutIdentityAndReadsBack) {
  const json image = {{"replica_id", "85256E3A:0058F1B2"}, {"notes", {{{"items", json::array()}}}}};
  const json exported = JsonFromImage(ImageFromJson(image), false);
  EXPECT_FALSE(exported["notes"][0].contains("unid"));
  EXPECT_EQ(JsonFromImage(ImageFromJson(exported), false), exported);
}

TEST(JsonImage, EveryItemTypeReadsBackFromItsRawForm) {
  const json image = Image({Note({
      {{"name", "Subject"}, {"type", "text"}, {"values", {"a", "b"}}, {"flags", 8}},
      {{"name", "Count"}, {"type", "number"}, {"values", {1, 2.5}}},
      {{"name", "Due"},
       {"type", "datetime"},
       {"values",
        {"2009-02-25T14:23:07", "2024-06-01T10:00:00+02:00 DST", "1969-12-31T23:00:00-03:30"}}},
      {{"name", "Blob"}, {"type", "raw"}, {"type_word", 768}, {"hex", "0000F03F"}},
      {{"name", "Body"},
       {"type", "richtext"},
       {"paragraphs", {{{"text", "Secret"}, {"hide_when", "Status = \"Closed\""}}}}},
  })});
  const json raw = JsonFromImage(ImageFromJson(image), true);
  EXPECT_EQ(JsonFromImage(ImageFromJson(raw), true), raw);
  EXPECT_EQ(raw["notes"][0]["items"][4]["paragraphs"][0]["text"], "Secret");
  EXPECT_EQ(raw["notes"][0]["items"][2]["values"], image["notes"][0]["items"][2]["values"]);
}

// The same input is refused alike whole and note by note, with the note,
// item and field named, as the codec's own error.
TEST(JsonImage, BadInputIsAFormatErrorNamingWhereItIs) {
  const struct {
    json image;
    std::string message;
  } cases[] = {
      {Image({Note({{{"name", "X"}, {"type", "colour"}, {"values", {1}}}})}),
       "note 1 (" + std::string(kUnid) + "): item \"X\": unknown item type \"colour\""},
      {Image({Note({{{"name", "N"}, {"type", "number"}, {"values", {"one"}}}})}),
       "item \"N\": a value must be a number"},
      {Image({Note({{{"name", "D"}, {"type", "datetime"}, {"values", {"soon"}}}})}),
       "item \"D\": \"soon\" is not a date-time"},
      {Image({Note({{{"name", "H"}, {"type", "raw"}, {"type_word", 768}, {"hex", "ABC"}}})}),
       "item \"H\": \"ABC\" has an odd number of hex digits"},
      {Image({{{"unid", "XYZ"}}}), "note 1 (XYZ): unid \"XYZ\" is not 32 hexadecimal digits"},
      {Image({{{"class", "form"}}}), "class \"form\" is neither document nor profile"},
      {{{"replica_id", "1234"}}, "replica ID \"1234\" is not 16 hexadecimal digits"},
      {{{"title", 5}}, "title must be a string"},
      {{{"notes", "none"}}, "\"notes\" must be an array"},
  };
  for (const auto& c : cases) {
    try {
      ImageFromJson(c.image);
      ADD_FAILURE() << "read: " << c.image;
    } catch (const FormatError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
    EXPECT_NE(StreamError(c.image.dump()).find(c.message), std::string::npos) << c.image;
  }
}

TEST(JsonImage, DuplicatesAreRefusedWholeAndLeftToTheCallerNoteByNote) {
  const json twice = Image({Note(json::array()), Note(json::array())});
  EXPECT_THROW(ImageFromJson(twice), FormatError);
  EXPECT_EQ(StreamError(twice.dump()), "");
  int added = 0;
  const std::string error = StreamError(twice.dump(), [&](const NoteImage&) {
    if (++added == 2) {
      throw FormatError("given twice");
    }
  });
  EXPECT_EQ(error, "note 2 (" + std::string(kUnid) + "): given twice");
}

// What the caller's own step throws is not the input's fault: it passes
// through as it was thrown.
TEST(JsonImage, ErrorsOfTheCallersStepPassThroughUnchanged) {
  std::istringstream in(Image({Note(json::array())}).dump());
  EXPECT_THROW(ReadJsonImage(in, "input.json",
                             [](const NoteImage&) { throw std::logic_error("disk full"); }),
               std::logic_error);
}

TEST(JsonImage, TextThatIsNotJsonNamesItsSource) {
  for (const std::string text : {"{\"title\": ", "[1, 2", "nul"}) {
    EXPECT_EQ(StreamError(text).rfind("input.json is not valid JSON: ", 0), 0u) << text;
  }
}

}  // namespace
}  // namespace quendral::database_json
