// Typed access to JSON fields, with errors that say which field is wrong.
#ifndef QUENDRAL_TOOLS_QUENDRAL_JSON_FIELDS_H_
#define QUENDRAL_TOOLS_QUENDRAL_JSON_FIELDS_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

namespace quendral::cli {

// The member `key` of `object`, or a CommandError when it is missing.
const nlohmann::json& RequiredField(const nlohmann::json& object, const char* key);

// `json` as the named type, or a CommandError naming `what`.
std::string AsString(const nlohmann::json& json, const std::string& what);
double AsNumber(const nlohmann::json& json, const std::string& what);
std::int64_t AsInteger(const nlohmann::json& json, std::int64_t min, std::int64_t max,
                       const std::string& what);
const nlohmann::json& AsArray(const nlohmann::json& json, const std::string& what);
const nlohmann::json& AsObject(const nlohmann::json& json, const std::string& what);

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_JSON_FIELDS_H_
