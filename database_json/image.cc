#include "database_json/image.h"

#include <istream>
#include <ostream>
#include <set>
#include <string>

#include "database_json/access_list.h"
#include "database_json/fields.h"
#include "database_json/format_error.h"
#include "database_json/replica_text.h"
#include "database_json/values.h"
#include "notes/replica_id.h"
#include "platform/notes/api/ln_universal_id.h"
#include "report/json_layout.h"
#include "report/json_text.h"

namespace quendral::database_json {
namespace {

using nlohmann::json;
using platform::store::DatabaseImage;
using platform::store::ItemImage;
using platform::store::NoteClass;
using platform::store::NoteImage;

bool IsZero(const UNIVERSALNOTEID& id) {
  return id.File.Innards[0] == 0 && id.File.Innards[1] == 0 && id.Note.Innards[0] == 0 &&
         id.Note.Innards[1] == 0;
}

std::string UnidText(const UNIVERSALNOTEID& id) { return LNUniversalID::Format(id).GetString(); }

ItemImage ItemFromJson(const json& json_item) {
  AsObject(json_item, "an item");
  ItemImage item;
  item.name = AsString(RequiredField(json_item, "name"), "name");
  try {
    if (json_item.contains("flags")) {
      item.flags = static_cast<std::uint16_t>(AsInteger(json_item["flags"], 0, 0xFFFF, "flags"));
    }
    ItemValueFromJson(json_item, &item);
  } catch (const FormatError& error) {
    throw FormatError("item \"" + item.name + "\": " + error.what());
  }
  return item;
}

void NoteClassFromJson(const json& json_note, NoteImage* note) {
  const std::string note_class =
      json_note.contains("class") ? AsString(json_note["class"], "class") : "document";
  if (note_class == "document") {
    return;
  }
  if (note_class != "profile") {
    throw FormatError("class \"" + note_class + "\" is neither document nor profile");
  }
  note->note_class = NoteClass::kProfile;
  note->profile_name = AsString(RequiredField(json_note, "profile_name"), "profile_name");
  if (json_note.contains("profile_user")) {
    note->profile_user = AsString(json_note["profile_user"], "profile_user");
  }
}

NoteImage NoteFromJson(const json& json_note) {
  AsObject(json_note, "a note");
  NoteImage note;
  if (json_note.contains("unid")) {
    const std::string text = AsString(json_note["unid"], "unid");
    if (!LNUniversalID::Parse(text, &note.unid) || IsZero(note.unid)) {
      throw FormatError("unid \"" + text + "\" is not 32 hexadecimal digits");
    }
  }
  NoteClassFromJson(json_note, &note);
  if (json_note.contains("items")) {
    for (const json& json_item : AsArray(json_note["items"], "\"items\"")) {
      note.items.push_back(ItemFromJson(json_item));
    }
  }
  return note;
}

std::string NoteLabel(const json& json_note, std::size_t index) {
  std::string label = "note " + std::to_string(index + 1);
  if (json_note.is_object() && json_note.contains("unid") && json_note["unid"].is_string()) {
    label += " (" + json_note["unid"].get<std::string>() + ")";
  }
  return label;
}

// The title and replica ID, with no notes; "notes", if there, must be an
// array.
DatabaseImage HeadingFromJson(const json& json) {
  AsObject(json, "the database");
  DatabaseImage image;
  if (json.contains("title")) {
    image.title = AsString(json["title"], "title");
  }
  image.replica_id = json.contains("replica_id")
                         ? ReplicaIdFromText(AsString(json["replica_id"], "replica_id"))
                         : RandomReplicaId();
  if (json.contains("notes")) {
    AsArray(json["notes"], "\"notes\"");
  }
  if (json.contains(kAccessListKey)) {
    image.access_list = AccessListFromJson(json[kAccessListKey]);
  }
  return image;
}

// Calls `add` with the note, its label put before what goes wrong.
void AddNote(const json& json_note, std::size_t index,
             const std::function<void(NoteImage&&)>& add) {
  try {
    add(NoteFromJson(json_note));
  } catch (const FormatError& error) {
    throw FormatError(NoteLabel(json_note, index) + ": " + error.what());
  }
}

}  // namespace

DatabaseImage ImageFromJson(const json& json) {
  DatabaseImage image = HeadingFromJson(json);
  if (!json.contains("notes")) {
    return image;
  }
  std::set<std::string> unids;
  const auto& notes = json["notes"];
  for (std::size_t i = 0; i < notes.size(); ++i) {
    AddNote(notes[i], i, [&](NoteImage&& note) {
      if (!IsZero(note.unid) && !unids.insert(UnidText(note.unid)).second) {
        throw FormatError("duplicate unid");
      }
      image.notes.push_back(std::move(note));
    });
  }
  return image;
}

DatabaseImage ReadJsonImage(std::istream& in, const std::string& source,
                            const std::function<void(const NoteImage&)>& add) {
  std::string key;        // the database's key being read
  bool in_notes = false;  // whether that is the array of notes
  std::size_t notes = 0;
  // Each element of "notes" is taken once read, and dropped from the value.
  const json::parser_callback_t take_notes = [&](int depth, json::parse_event_t event,
                                                 json& parsed) {
    if (depth == 1 && event == json::parse_event_t::key) {
      key = parsed.get<std::string>();
      in_notes = false;
    } else if (depth == 1 && event == json::parse_event_t::array_start) {
      in_notes = key == "notes";
    } else if (depth == 2 && in_notes &&
               (event == json::parse_event_t::object_end ||
                event == json::parse_event_t::array_end || event == json::parse_event_t::value)) {
      AddNote(parsed, notes++, [&](NoteImage&& note) { add(note); });
      return false;
    }
    return true;
  };
  try {
    return HeadingFromJson(json::parse(in, take_notes));
  } catch (const json::parse_error& error) {
    throw FormatError(source + " is not valid JSON: " + error.what());
  }
}

json JsonFromNote(const NoteImage& note, bool raw) {
  // A note that has not been stored has no identity yet: the store makes
  // one up, as it does for an imported note without "unid".
  json json_note = json::object();
  if (!IsZero(note.unid)) {
    json_note["unid"] = UnidText(note.unid);
  }
  if (note.note_class == NoteClass::kProfile) {
    json_note["class"] = "profile";
    json_note["profile_name"] = note.profile_name;
    if (!note.profile_user.empty()) {
      json_note["profile_user"] = note.profile_user;
    }
  } else {
    json_note["class"] = "document";
  }
  json_note["note_id"] = note.note_id;
  json_note["sequence"] = note.sequence;
  json items = json::array();
  for (const ItemImage& item : note.items) {
    json json_item = {{"name", item.name}};
    ItemValueToJson(item, raw, &json_item);
    if (item.flags != 0) {
      json_item["flags"] = item.flags;
    }
    items.push_back(std::move(json_item));
  }
  json_note["items"] = std::move(items);
  return json_note;
}

void JsonImageWriter::Begin() {
  out_ << "{\n  ";
  if (access_list_ != nullptr && !access_list_->empty()) {
    out_ << "\"" << kAccessListKey
         << "\": " << report::NestedJson(JsonFromAccessList(*access_list_), 1) << ",\n  ";
  }
  out_ << "\"notes\": [";
}

void JsonImageWriter::Note(const NoteImage& note) {
  if (!begun_) {
    Begin();
  }
  out_ << (begun_ ? ",\n    " : "\n    ") << report::NestedJson(JsonFromNote(note, raw_), 2);
  begun_ = true;
}

void JsonImageWriter::Finish(const std::string& title, const TIMEDATE& replica_id) {
  if (!begun_) {
    Begin();
  }
  out_ << (begun_ ? "\n  ]" : "]") << ",\n  \"replica_id\": "
       << report::JsonText(json(FormatReplicaIdText(replica_id, true)), -1)
       << ",\n  \"title\": " << report::JsonText(json(title), -1) << "\n}\n";
}

json JsonFromImage(const DatabaseImage& image, bool raw) {
  json notes = json::array();
  for (const NoteImage& note : image.notes) {
    notes.push_back(JsonFromNote(note, raw));
  }
  json json_image = {{"title", image.title},
                     {"replica_id", FormatReplicaIdText(image.replica_id, true)},
                     {"notes", std::move(notes)}};
  if (!image.access_list.empty()) {
    json_image[kAccessListKey] = JsonFromAccessList(image.access_list);
  }
  return json_image;
}

}  // namespace quendral::database_json
