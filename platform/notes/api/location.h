// Where databases live: the local data directory, the directories of named
// servers and the database files inside them.
//
// The local data directory is the environment variable NOTES_DATA_DIR or,
// when it is unset or empty, notesdata in the user's home folder (the
// profile folder on Windows, whatever HOME holds). A session may be pointed
// at another one explicitly. Server "" is the local machine; any other server
// name is looked up, without regard to case, in the data directory's
// servers.json, an object that maps server names to directories (relative
// ones are taken from the data directory):
//   {"Srv1/Acme": "srv1", "Archive/Acme": "/srv/archive"}
// A database is named by a path relative to its server's directory ("/" and
// "\" both separate), by an absolute path inside that directory, or by its
// replica ID. Nothing outside the server's directory is ever opened: ".."
// and symbolic links that lead out are refused.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LOCATION_H_
#define QUENDRAL_PLATFORM_NOTES_API_LOCATION_H_

#include <filesystem>
#include <string_view>

#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform {

inline constexpr const char* kDataDirectoryVariable = "NOTES_DATA_DIR";
inline constexpr const char* kServersFileName = "servers.json";

// NOTES_DATA_DIR, else notesdata in os::HomeFolder() (else ./notesdata when
// there is none).
std::filesystem::path DefaultDataDirectory();

// The directory that holds `server`'s databases. kErrUnknownServer when
// servers.json is missing, unreadable or has no such server.
STATUS ResolveServerDirectory(const std::filesystem::path& data_directory, std::string_view server,
                              std::filesystem::path* directory);

// The existing database file that `path` names inside `server_directory`.
// kErrPathOutsideDataDirectory when it would leave the directory,
// kErrDatabaseNotFound when no such file exists.
STATUS ResolveDatabasePath(const std::filesystem::path& server_directory, std::string_view path,
                           std::filesystem::path* file);

// A database file below `server_directory` whose replica ID is `replica_id`
// (when several replicas share it, any one of them). kErrReplicaNotFound
// when none has it, and always for the zero replica ID. Lookups are answered from a catalog that is
// checked against the file on every hit and rebuilt on a miss. Symbolic links are not followed.
STATUS FindReplica(const std::filesystem::path& server_directory, const TIMEDATE& replica_id,
                   std::filesystem::path* file);

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_API_LOCATION_H_
