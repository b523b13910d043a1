#include "database_json/fields.h"

#include "database_json/format_error.h"

namespace quendral::database_json {

const nlohmann::json& RequiredField(const nlohmann::json& object, const char* key) {
  const auto found = object.find(key);
  if (found == object.end()) {
    throw FormatError(std::string("missing \"") + key + "\"");
  }
  return *found;
}

std::string AsString(const nlohmann::json& json, const std::string& what) {
  if (!json.is_string()) {
    throw FormatError(what + " must be a string");
  }
  return json.get<std::string>();
}

double AsNumber(const nlohmann::json& json, const std::string& what) {
  if (!json.is_number()) {
    throw FormatError(what + " must be a number");
  }
  return json.get<double>();
}

std::int64_t AsInteger(const nlohmann::json& json, std::int64_t min, std::int64_t max,
                       const std::string& what) {
  const bool in_range =
      json.is_number_integer() && json.get<std::int64_t>() >= min &&
      (json.is_number_unsigned() ? json.get<std::uint64_t>() <= static_cast<std::uint64_t>(max)
                                 : json.get<std::int64_t>() <= max);
  if (!in_range) {
    throw FormatError(what + " must be a whole number from " + std::to_string(min) + " to " +
                      std::to_string(max));
  }
  return json.get<std::int64_t>();
}

const nlohmann::json& AsArray(const nlohmann::json& json, const std::string& what) {
  if (!json.is_array()) {
    throw FormatError(what + " must be an array");
  }
  return json;
}

const nlohmann::json& AsObject(const nlohmann::json& json, const std::string& what) {
  if (!json.is_object()) {
    throw FormatError(what + " must be an object");
  }
  return json;
}

}  // namespace quendral::database_json
