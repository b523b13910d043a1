// Typed access to JSON fields, with errors that say which field is wrong.
#ifndef QUENDRAL_DATABASE_JSON_FIELDS_H_
#define QUENDRAL_DATABASE_JSON_FIELDS_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "database_json/format_error.h"

namespace quendral::database_json {

// The member `key` of `object`, or a FormatError when it is missing.
const nlohmann::json& RequiredField(const nlohmann::json& object, const char* key);

// `json` as the named type, or a FormatError naming `what`.
std::string AsString(const nlohmann::json& json, const std::string& what);
double AsNumber(const nlohmann::json& json, const std::string& what);
std::int64_t AsInteger(const nlohmann::json& json, std::int64_t min, std::int64_t max,
                       const std::string& what);
const nlohmann::json& AsArray(const nlohmann::json& json, const std::string& what);
const nlohmann::json& AsObject(const nlohmann::json& json, const std::string& what);

}  // namespace quendral::database_json

#endif  // QUENDRAL_DATABASE_JSON_FIELDS_H_
