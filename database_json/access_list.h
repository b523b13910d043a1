// A database's access control list as JSON, for db import and export:
//
//   "access_list": [ { "name": "CN=Ada Lovelace/O=Acme", "level": "editor",
//                      "privileges": ["CreateDocuments", "DeleteDocuments"],
//                      "roles": ["[Admin]"] }, ... ]
//
// Levels: noaccess, depositor, reader, author, editor, designer, manager.
// Privileges as @UserAccess's keywords name them; "privileges" and "roles"
// may be left out. A database without the key has no list.
#ifndef QUENDRAL_DATABASE_JSON_ACCESS_LIST_H_
#define QUENDRAL_DATABASE_JSON_ACCESS_LIST_H_

#include <nlohmann/json.hpp>
#include <vector>

#include "platform/notes/formula/access_list.h"

namespace quendral::database_json {

inline constexpr const char* kAccessListKey = "access_list";

// A FormatError names the entry and field at fault, or an entry that is
// not sound.
std::vector<platform::formula::AccessEntry> AccessListFromJson(const nlohmann::json& json);
nlohmann::json JsonFromAccessList(const std::vector<platform::formula::AccessEntry>& list);

}  // namespace quendral::database_json

#endif  // QUENDRAL_DATABASE_JSON_ACCESS_LIST_H_
