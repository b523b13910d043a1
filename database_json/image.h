// A database as JSON, for import and export:
//
//   { "title": "Sales", "replica_id": "85256E3A:0058F1B2",
//     "notes": [ { "unid": "<32 hex digits>", "class": "document",
//                  "note_id": 4, "sequence": 2,            (export only)
//                  "items": [ { "name": "Subject", "type": "text", "values": ["a"], "flags": 8 },
//                             ... ] } ] }
//
// Item types: "text", "number", "datetime" ("YYYY-MM-DDTHH:MM:SS"),
// "links" (entries of replica_id, view_unid, note_unid), "richtext"
// (paragraphs) and "raw" (type_word and the value bytes in hex). A profile
// note has "class": "profile", "profile_name" and optionally "profile_user".
// The database's access control list is under "access_list"
// (access_list.h).
#ifndef QUENDRAL_DATABASE_JSON_IMAGE_H_
#define QUENDRAL_DATABASE_JSON_IMAGE_H_

#include <functional>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>

#include "database_json/format_error.h"
#include "platform/notes/api/database_file.h"

namespace quendral::database_json {

// Reads a database image; a FormatError names the note and item at fault.
// A missing replica ID is made up at random; missing UNIDs are left zero for
// the store to make up.
platform::store::DatabaseImage ImageFromJson(const nlohmann::json& json);

// Reads a database image from `in` (called `source` in errors) note by
// note: each note is handed to `add` as soon as it is read, then dropped.
// Returns the title and replica ID, with no notes: they may follow the notes
// in the text. Errors as ImageFromJson, but for duplicate UNIDs, which are
// left to `add`; a FormatError from `add` is given the note's label.
platform::store::DatabaseImage ReadJsonImage(
    std::istream& in, const std::string& source,
    const std::function<void(const platform::store::NoteImage&)>& add);

// Writes a database image. With `raw`, every item also carries "type_word"
// and "hex", and every hide-when paragraph its "hide_when_bytes".
nlohmann::json JsonFromImage(const platform::store::DatabaseImage& image, bool raw);

// One note, as it stands inside "notes".
nlohmann::json JsonFromNote(const platform::store::NoteImage& note, bool raw);

// Prints what JsonFromImage(...).dump(2) prints, note by note. The
// database's `access_list` (when given) is printed first, when the first
// note or Finish comes: it must be read by then.
class JsonImageWriter {
 public:
  JsonImageWriter(std::ostream& out, bool raw,
                  const std::vector<platform::formula::AccessEntry>* access_list = nullptr)
      : out_(out), raw_(raw), access_list_(access_list) {}

  void Note(const platform::store::NoteImage& note);
  // Closes the image with its title and replica ID.
  void Finish(const std::string& title, const TIMEDATE& replica_id);

 private:
  void Begin();

  std::ostream& out_;
  bool raw_;
  const std::vector<platform::formula::AccessEntry>* access_list_;
  bool begun_ = false;
};

}  // namespace quendral::database_json

#endif  // QUENDRAL_DATABASE_JSON_IMAGE_H_
