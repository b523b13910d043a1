#include "database_json/access_list.h"

#include <string>

#include "database_json/fields.h"
#include "database_json/format_error.h"

namespace quendral::database_json {
namespace {

using nlohmann::json;
namespace formula = platform::formula;

formula::AccessEntry EntryFromJson(const json& json_entry, const std::string& what) {
  AsObject(json_entry, what);
  formula::AccessEntry entry;
  entry.name = AsString(RequiredField(json_entry, "name"), what + " name");
  const std::string level = AsString(RequiredField(json_entry, "level"), what + " level");
  entry.level = formula::AccessLevelOfName(level);
  if (entry.level < 0) {
    throw FormatError(what + " has the unknown level \"" + level + "\"");
  }
  if (json_entry.contains("privileges")) {
    for (const json& privilege : AsArray(json_entry["privileges"], what + " privileges")) {
      const std::string name = AsString(privilege, what + " privilege");
      const int bit = formula::PrivilegeBitOfName(name);
      if (bit < 0) {
        std::string message = what;
        message.append(" has the unknown privilege \"").append(name).append("\"");
        throw FormatError(message);
      }
      entry.privileges |= 1u << bit;
    }
  }
  if (json_entry.contains("roles")) {
    for (const json& role : AsArray(json_entry["roles"], what + " roles")) {
      entry.roles.push_back(AsString(role, what + " role"));
    }
  }
  if (!formula::ValidAccessEntry(entry)) {
    throw FormatError(what + " is not sound: a name is needed, and roles in brackets");
  }
  return entry;
}

}  // namespace

std::vector<formula::AccessEntry> AccessListFromJson(const json& json) {
  std::vector<formula::AccessEntry> list;
  for (const nlohmann::json& json_entry : AsArray(json, kAccessListKey)) {
    list.push_back(EntryFromJson(json_entry, "access list entry " + std::to_string(list.size())));
  }
  return list;
}

json JsonFromAccessList(const std::vector<formula::AccessEntry>& list) {
  json entries = json::array();
  for (const formula::AccessEntry& entry : list) {
    json privileges = json::array();
    for (int bit = 0; bit < formula::kPrivilegeCount; ++bit) {
      if ((entry.privileges >> bit & 1) != 0) {
        privileges.push_back(formula::PrivilegeName(bit));
      }
    }
    entries.push_back({{"name", entry.name},
                       {"level", formula::AccessLevelName(entry.level)},
                       {"privileges", std::move(privileges)},
                       {"roles", entry.roles}});
  }
  return entries;
}

}  // namespace quendral::database_json
