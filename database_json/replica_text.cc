#include "database_json/replica_text.h"

#include <random>

#include "database_json/format_error.h"
#include "notes/replica_id.h"
#include "platform/base/ascii.h"

namespace quendral::database_json {
namespace {

bool AllHex(const std::string& text) {
  for (const char c : text) {
    if (!base::HexDigitValue(c)) {
      return false;
    }
  }
  return true;
}

}  // namespace

TIMEDATE ReplicaIdFromText(const std::string& text) {
  const bool with_colon = text.size() == 17 && text[8] == ':';
  const std::string digits = with_colon ? text.substr(0, 8) + text.substr(9) : text;
  if (digits.size() != 16 || !AllHex(digits)) {
    throw FormatError("replica ID \"" + text + "\" is not 16 hexadecimal digits");
  }
  TIMEDATE id{};
  ParseReplicaIdText(text.c_str(), &id);
  return id;
}

TIMEDATE RandomReplicaId() {
  std::random_device random;
  return TIMEDATE{{random(), random()}};
}

}  // namespace quendral::database_json
