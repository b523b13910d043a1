#include "tools/quendral/replica_text.h"

#include <optional>
#include <random>

#include "notes/replica_id.h"
#include "tools/quendral/command_error.h"

namespace quendral::cli {

TIMEDATE ReplicaIdFromText(const std::string& text) {
  const std::optional<TIMEDATE> id = ParseReplicaIdTextStrictly(text);
  if (!id) {
    throw CommandError("replica ID \"" + text + "\" is not 16 hexadecimal digits");
  }
  return *id;
}

TIMEDATE RandomReplicaId() {
  std::random_device random;
  return TIMEDATE{{random(), random()}};
}

}  // namespace quendral::cli
