#include "database_json/values.h"

#include <cstdio>

#include "database_json/fields.h"
#include "database_json/format_error.h"
#include "database_json/replica_text.h"
#include "notes/replica_id.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_universal_id.h"
#include "platform/notes/formula/formula.h"

namespace quendral::database_json {
namespace {

using nlohmann::json;
using platform::store::ItemImage;
namespace values = platform::values;
namespace richtext = platform::richtext;

void CheckEncoded(platform::STATUS status, const std::string& what) {
  if (status != platform::kNoError) {
    throw FormatError(what + " does not fit an item value");
  }
}

std::vector<std::string> TextsFromJson(const json& list) {
  std::vector<std::string> texts;
  for (const json& value : AsArray(list, "\"values\"")) {
    texts.push_back(AsString(value, "a value"));
  }
  return texts;
}

std::vector<double> NumbersFromJson(const json& list) {
  std::vector<double> numbers;
  for (const json& value : AsArray(list, "\"values\"")) {
    numbers.push_back(AsNumber(value, "a value"));
  }
  return numbers;
}

std::vector<platform::formula::DateTime> TimesFromJson(const json& list) {
  std::vector<platform::formula::DateTime> times;
  for (const json& value : AsArray(list, "\"values\"")) {
    const std::string text = AsString(value, "a value");
    platform::formula::DateTime time;
    if (!platform::formula::ParseDateTime(text, &time)) {
      throw FormatError("\"" + text +
                        "\" is not a date-time of the form YYYY-MM-DDTHH:MM:SS, followed by its "
                        "zone's offset (+02:00, +02:00 DST, Z) when it has one");
    }
    times.push_back(time);
  }
  return times;
}

UNIVERSALNOTEID UnidFromJson(const json& value, const std::string& what) {
  const std::string text = AsString(value, what);
  UNIVERSALNOTEID id{};
  if (!LNUniversalID::Parse(text, &id)) {
    throw FormatError(what + " \"" + text + "\" is not 32 hexadecimal digits");
  }
  return id;
}

std::vector<NoteLink> LinksFromJson(const json& list) {
  std::vector<NoteLink> links;
  for (const json& entry : AsArray(list, "\"links\"")) {
    AsObject(entry, "a link");
    NoteLink link;
    link.replica_id = ReplicaIdFromText(AsString(RequiredField(entry, "replica_id"), "replica_id"));
    link.view = UnidFromJson(RequiredField(entry, "view_unid"), "view_unid");
    link.note = UnidFromJson(RequiredField(entry, "note_unid"), "note_unid");
    links.push_back(link);
  }
  return links;
}

std::vector<std::uint8_t> CompileHideWhen(const std::string& text) {
  std::vector<std::uint8_t> compiled;
  platform::formula::CompileError error;
  if (!platform::formula::Compile(text, &compiled, &error)) {
    throw FormatError("hide_when: " + error.message + " at position " +
                      std::to_string(error.position));
  }
  return compiled;
}

std::vector<richtext::Run> RunsFromJson(const json& list) {
  std::vector<richtext::Run> runs;
  for (const json& entry : AsArray(list, "\"runs\"")) {
    AsObject(entry, "a run");
    richtext::Run run;
    if (entry.contains("link")) {
      run.kind = richtext::Run::Kind::kLink;
      run.link_index = static_cast<std::uint16_t>(AsInteger(entry["link"], 0, 0xFFFF, "link"));
    } else {
      run.text = AsString(RequiredField(entry, "text"), "text");
    }
    runs.push_back(run);
  }
  return runs;
}

richtext::Paragraph ParagraphFromJson(const json& entry) {
  AsObject(entry, "a paragraph");
  richtext::Paragraph paragraph;
  if (entry.contains("runs")) {
    paragraph.runs = RunsFromJson(entry["runs"]);
  } else if (entry.contains("text")) {
    paragraph.runs.push_back({richtext::Run::Kind::kText, AsString(entry["text"], "text"), 0});
  }
  // Exact bytes win over formula text, so that a raw export imports as it was.
  if (entry.contains("hide_when_bytes")) {
    paragraph.has_hide_when = true;
    paragraph.hide_when_area = BytesFromHex(AsString(entry["hide_when_bytes"], "hide_when_bytes"));
  } else if (entry.contains("hide_when")) {
    paragraph.has_hide_when = true;
    paragraph.hide_when_area = CompileHideWhen(AsString(entry["hide_when"], "hide_when"));
  }
  return paragraph;
}

std::vector<richtext::Paragraph> ParagraphsFromJson(const json& list) {
  std::vector<richtext::Paragraph> paragraphs;
  for (const json& entry : AsArray(list, "\"paragraphs\"")) {
    paragraphs.push_back(ParagraphFromJson(entry));
  }
  return paragraphs;
}

void TypedValueFromJson(const std::string& type, const json& json_item, ItemImage* item) {
  if (type == "text") {
    item->type = platform::kTypeTextList;
    CheckEncoded(
        values::EncodeTextList(TextsFromJson(RequiredField(json_item, "values")), &item->value),
        "the text list");
  } else if (type == "number") {
    item->type = platform::kTypeNumberList;
    CheckEncoded(
        values::EncodeNumberList(NumbersFromJson(RequiredField(json_item, "values")), &item->value),
        "the number list");
  } else if (type == "datetime") {
    item->type = platform::kTypeTimeList;
    CheckEncoded(
        values::EncodeTimeList(TimesFromJson(RequiredField(json_item, "values")), &item->value),
        "the date-time list");
  } else if (type == "links") {
    item->type = platform::kTypeNoteLinkList;
    CheckEncoded(EncodeLinkTable(LinksFromJson(RequiredField(json_item, "links")), &item->value)
                     ? platform::kNoError
                     : platform::kErrItemValueInvalid,
                 "the link list");
  } else if (type == "richtext") {
    item->type = platform::kTypeCompositeText;
    item->value =
        values::EncodeRichText(ParagraphsFromJson(RequiredField(json_item, "paragraphs")));
  } else {
    throw FormatError("unknown item type \"" + type + "\"");
  }
}

json RunsToJson(const std::vector<richtext::Run>& runs) {
  json list = json::array();
  for (const richtext::Run& run : runs) {
    if (run.kind == richtext::Run::Kind::kLink) {
      list.push_back({{"link", run.link_index}});
    } else {
      list.push_back({{"text", run.text}});
    }
  }
  return list;
}

json ParagraphToJson(const richtext::Paragraph& paragraph, bool raw) {
  json entry = json::object();
  const bool plain =
      paragraph.runs.size() == 1 && paragraph.runs[0].kind == richtext::Run::Kind::kText;
  if (plain || paragraph.runs.empty()) {
    entry["text"] = paragraph.Text();
  } else {
    entry["runs"] = RunsToJson(paragraph.runs);
  }
  if (!paragraph.has_hide_when) {
    return entry;
  }
  std::string formula;
  const bool decompiled = platform::formula::Decompile(paragraph.hide_when_area.data(),
                                                       paragraph.hide_when_area.size(), &formula);
  if (decompiled) {
    entry["hide_when"] = formula;
  }
  if (raw || !decompiled) {
    entry["hide_when_bytes"] = HexFromBytes(paragraph.hide_when_area);
  }
  return entry;
}

// Writes the typed form; false when the bytes do not decode as their type.
bool TypedValueToJson(const ItemImage& item, bool raw, json* out) {
  const std::uint8_t* data = item.value.data();
  const std::size_t length = item.value.size();
  switch (item.type) {
    case platform::kTypeTextList: {
      std::vector<std::string> texts;
      if (values::DecodeTextList(data, length, &texts) != platform::kNoError) {
        return false;
      }
      (*out)["type"] = "text";
      (*out)["values"] = texts;
      return true;
    }
    case platform::kTypeNumberList: {
      std::vector<double> numbers;
      if (values::DecodeNumbers(item.type, data, length, &numbers) != platform::kNoError) {
        return false;
      }
      (*out)["type"] = "number";
      (*out)["values"] = numbers;
      return true;
    }
    case platform::kTypeTimeList: {
      std::vector<platform::formula::DateTime> times;
      if (values::DecodeTimeList(data, length, &times) != platform::kNoError) {
        return false;
      }
      json texts = json::array();
      for (const auto& time : times) {
        texts.push_back(platform::formula::FormatDateTime(time));
      }
      (*out)["type"] = "datetime";
      (*out)["values"] = texts;
      return true;
    }
    case platform::kTypeNoteLinkList: {
      std::vector<NoteLink> links;
      if (!DecodeLinkTable({data, length}, LinkTableReading::kWholeTable, &links)) {
        return false;
      }
      (*out)["type"] = "links";
      (*out)["links"] = LinksToJson(links);
      return true;
    }
    case platform::kTypeCompositeText: {
      std::vector<richtext::Paragraph> paragraphs;
      if (values::DecodeRichText(data, length, &paragraphs) != platform::kNoError) {
        return false;
      }
      json list = json::array();
      for (const auto& paragraph : paragraphs) {
        list.push_back(ParagraphToJson(paragraph, raw));
      }
      (*out)["type"] = "richtext";
      (*out)["paragraphs"] = list;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

json LinksToJson(const std::vector<NoteLink>& links) {
  json list = json::array();
  for (const NoteLink& link : links) {
    list.push_back({{"replica_id", FormatReplicaIdText(link.replica_id, true)},
                    {"view_unid", LNUniversalID::Format(link.view).GetString()},
                    {"note_unid", LNUniversalID::Format(link.note).GetString()}});
  }
  return list;
}

void ItemValueFromJson(const json& json_item, ItemImage* item) {
  if (json_item.contains("hex")) {
    item->type = static_cast<std::uint16_t>(
        AsInteger(RequiredField(json_item, "type_word"), 0, 0xFFFF, "type_word"));
    item->value = BytesFromHex(AsString(json_item["hex"], "hex"));
    return;
  }
  const std::string type = AsString(RequiredField(json_item, "type"), "type");
  if (type == "raw") {
    throw FormatError("a raw item needs \"type_word\" and \"hex\"");
  }
  TypedValueFromJson(type, json_item, item);
}

void ItemValueToJson(const ItemImage& item, bool raw, json* out) {
  const bool typed = TypedValueToJson(item, raw, out);
  if (!typed) {
    (*out)["type"] = "raw";
  }
  if (raw || !typed) {
    (*out)["type_word"] = item.type;
    (*out)["hex"] = HexFromBytes(item.value);
  }
}

std::string HexFromBytes(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0xF]);
  }
  return hex;
}

std::vector<std::uint8_t> BytesFromHex(const std::string& hex) {
  auto digit = [&hex](char c) {
    if (c >= '0' && c <= '9') {
      return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
      return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
      return c - 'A' + 10;
    }
    throw FormatError("\"" + hex + "\" is not hexadecimal");
  };
  if (hex.size() % 2 != 0) {
    throw FormatError("\"" + hex + "\" has an odd number of hex digits");
  }
  std::vector<std::uint8_t> bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(digit(hex[i]) * 16 + digit(hex[i + 1])));
  }
  return bytes;
}

}  // namespace quendral::database_json
