#include "database_json/replica_text.h"

#include <optional>
#include <random>

#include "database_json/format_error.h"
#include "notes/replica_id.h"

namespace quendral::database_json {

TIMEDATE ReplicaIdFromText(const std::string& text) {
  const std::optional<TIMEDATE> id = ParseReplicaIdTextStrictly(text);
  if (!id) {
    throw FormatError("replica ID \"" + text + "\" is not 16 hexadecimal digits");
  }
  return *id;
}

TIMEDATE RandomReplicaId() {
  std::random_device random;
  return TIMEDATE{{random(), random()}};
}

}  // namespace quendral::database_json
