// LNNotesSession: the context every database is reached through: the data
// directory, the user and the user's roles.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_SESSION_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_SESSION_H_

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/notes/api/ln_string.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

class LNDatabase;

namespace quendral::platform::internal {
struct SessionState;
}

class LNNotesSession {
 public:
  LNNotesSession();
  ~LNNotesSession();
  LNNotesSession(const LNNotesSession&) = delete;
  LNNotesSession& operator=(const LNNotesSession&) = delete;

  // Starts the session. The data directory is the one set before, else the
  // default of platform/notes/location.h. Arguments other than the API
  // version are accepted for compatibility and ignored.
  LNSTATUS Initialize(int api_version = 230, int argc = 0, char** argv = nullptr, int flag = 1,
                      const char* text = nullptr);
  bool IsInitialized() const;
  // Ends the session. Databases reached through it stay usable until closed.
  LNSTATUS Term(int flag = 0);

  // Binds `db` to the database at `path` on `server` ("" = the local
  // machine). The database still has to be opened.
  LNSTATUS GetDatabase(const LNString& path, LNDatabase* db, const LNString& server = "");
  // Binds `db` to a database whose replica ID is `replica_id`.
  LNSTATUS GetDatabase(const TIMEDATE& replica_id, LNDatabase* db, const LNString& server = "");

  // Overrides the data directory (our tools' --data); takes effect for the
  // next database looked up.
  void SetDataDirectory(const LNString& directory);
  LNString GetDataDirectory() const;

  // The user formulas see as @UserName; by default the login name of the
  // process's user.
  void SetUserName(const LNString& name);
  LNString GetUserName() const;
  void SetUserRoles(const std::vector<std::string>& roles);
  std::vector<std::string> GetUserRoles() const;

 private:
  using DatabaseLocator = std::function<quendral::platform::STATUS(
      const std::filesystem::path& server_directory, std::filesystem::path* file)>;
  LNSTATUS BindDatabase(LNDatabase* db, const LNString& server, const DatabaseLocator& locate);

  std::shared_ptr<quendral::platform::internal::SessionState> state_;
  bool initialized_ = false;
};

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_SESSION_H_
