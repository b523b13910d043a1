// A Notes session for one command of the tool, and the lookups the
// commands share. Every failure becomes a CommandError.
#ifndef QUENDRAL_TOOLS_QUENDRAL_TOOL_SESSION_H_
#define QUENDRAL_TOOLS_QUENDRAL_TOOL_SESSION_H_

#include <filesystem>
#include <string>

#include "platform/notes/api/ln.h"

namespace quendral::cli {

class ToolSession {
 public:
  // Starts a session with statuses returned, not thrown. `user`, when not
  // empty, is the user formulas see.
  explicit ToolSession(const std::string& user = "");
  ~ToolSession();
  ToolSession(const ToolSession&) = delete;
  ToolSession& operator=(const ToolSession&) = delete;

  // The open database at `path` (or replica ID) on `server`.
  LNDatabase OpenDatabase(const std::string& path, const std::string& server);
  // The document with universal-ID text `unid`, found but not yet opened.
  static LNDocument FindDocument(const LNDatabase& database, const std::string& unid);
  // The same, opened.
  static LNDocument OpenDocument(const LNDatabase& database, const std::string& unid);

  // The local data directory; a CommandError that names it, and how to name
  // another, when it is missing or cannot be read.
  std::filesystem::path DataDirectory() const;

  LNNotesSession& notes_session() { return session_; }

  // The directory of `server`'s databases ("" = the local data directory).
  std::filesystem::path ServerDirectory(const std::string& server) const;
  // The existing database file `path` names on `server`.
  std::filesystem::path DatabaseFile(const std::string& path, const std::string& server) const;

 private:
  LNNotesSession session_;
};

// Points every session of this process, the exported repairs' included, at
// `directory`.
void UseDataDirectory(const std::string& directory);

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_TOOL_SESSION_H_
