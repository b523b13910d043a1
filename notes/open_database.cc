#include "notes/open_database.h"

#include <cstring>
#include <string>

#include "notes/replica_id.h"

namespace quendral {
namespace {

// Replica-ID texts are copied into a buffer of this size, terminator
// included; a longer text is refused rather than cut.
constexpr std::size_t kReplicaTextBufferSize = 72;

std::string LocalServerAsEmpty(const char* server) {
  const std::string text = server;
  return text == "local" || text == "LOCAL" ? std::string() : text;
}

LNSTATUS BindByReplicaId(LNNotesSession& session, LNDatabase& database, const std::string& server,
                         const char* text) {
  if (std::strlen(text) >= kReplicaTextBufferSize) {
    return platform::kErrReplicaNotFound;
  }
  TIMEDATE replica_id{};
  ParseReplicaIdTextLeniently(text, &replica_id);
  return session.GetDatabase(replica_id, &database, server);
}

}  // namespace

int OpenNotesDatabase(LNNotesSession& session, LNDatabase& database, const char* server,
                      const char* path) {
  return OpenNotesDatabaseStatus(session, database, server, path) == 0 ? 0 : 1;
}

LNSTATUS OpenNotesDatabaseStatus(LNNotesSession& session, LNDatabase& database, const char* server,
                                 const char* path) {
  const std::string server_text = LocalServerAsEmpty(server);
  const bool is_replica_id = std::strchr(path, '.') == nullptr;
  const LNSTATUS bound = is_replica_id ? BindByReplicaId(session, database, server_text, path)
                                       : session.GetDatabase(path, &database, server_text);
  return bound != 0 ? bound : database.Open();
}

}  // namespace quendral
