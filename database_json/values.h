// Item values as JSON, both ways, one item type at a time.
#ifndef QUENDRAL_DATABASE_JSON_VALUES_H_
#define QUENDRAL_DATABASE_JSON_VALUES_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "database_json/format_error.h"
#include "platform/notes/api/database_file.h"
#include "platform/notes/api/item_values.h"
#include "repair/link_table.h"

namespace quendral::database_json {

// Fills the item's type and value from its JSON; a FormatError (without the
// note and item, which the caller adds) tells what is wrong.
void ItemValueFromJson(const nlohmann::json& json, platform::store::ItemImage* item);

// Adds "type" and the value's fields to `json`. A value that does not decode
// as its type is written as "raw".
void ItemValueToJson(const platform::store::ItemImage& item, bool raw, nlohmann::json* json);

// A link table's entries: [{"replica_id", "view_unid", "note_unid"}, ...].
nlohmann::json LinksToJson(const std::vector<NoteLink>& links);

std::string HexFromBytes(const std::vector<std::uint8_t>& bytes);
// A FormatError for anything but an even number of hex digits.
std::vector<std::uint8_t> BytesFromHex(const std::string& hex);

}  // namespace quendral::database_json

#endif  // QUENDRAL_DATABASE_JSON_VALUES_H_
