#include "tools/quendral/tool_session.h"

#include "notes/open_database.h"
#include "notes/status_text.h"
#include "platform/notes/api/location.h"
#include "platform/os/environment.h"
#include "tools/quendral/command_error.h"

namespace quendral::cli {

ToolSession::ToolSession(const std::string& user) {
  LNSetThrowAllErrorsGlobal(0);
  CheckStatus(session_.Initialize(230, 0, nullptr, 1, nullptr), "cannot start a Notes session");
  if (!user.empty()) {
    session_.SetUserName(user);
  }
}

ToolSession::~ToolSession() {
  if (session_.IsInitialized()) {
    session_.Term(0);
  }
}

LNDatabase ToolSession::OpenDatabase(const std::string& path, const std::string& server) {
  DataDirectory();
  LNDatabase database;
  CheckStatus(OpenNotesDatabaseStatus(session_, database, server.c_str(), path.c_str()),
              "cannot open database " + path + (server.empty() ? "" : " on " + server));
  return database;
}

LNDocument ToolSession::FindDocument(const LNDatabase& database, const std::string& unid) {
  UNIVERSALNOTEID id{};
  CheckStatus(LNUniversalID(LNString(unid)).GetUniversalID(&id), "bad document ID " + unid);
  LNDocument document;
  CheckStatus(database.GetDocument(id, &document), "no document " + unid);
  return document;
}

LNDocument ToolSession::OpenDocument(const LNDatabase& database, const std::string& unid) {
  LNDocument document = FindDocument(database, unid);
  CheckStatus(document.Open(0), "cannot open document " + unid);
  return document;
}

std::filesystem::path ToolSession::DataDirectory() const {
  const std::filesystem::path directory = session_.GetDataDirectory().GetString();
  const std::string another =
      ": name another with --data DIR or " + std::string(platform::kDataDirectoryVariable);
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) {
    throw CommandError("no data directory " + directory.string() + another);
  }
  // Listing it is what every lookup of a database does first.
  std::filesystem::directory_iterator listing(directory, error);
  if (error) {
    throw CommandError("cannot read data directory " + directory.string() + " (" + error.message() +
                       ")" + another);
  }
  return directory;
}

std::filesystem::path ToolSession::ServerDirectory(const std::string& server) const {
  std::filesystem::path directory;
  CheckStatus(platform::ResolveServerDirectory(DataDirectory(), server, &directory),
              "unknown server " + server);
  return directory;
}

std::filesystem::path ToolSession::DatabaseFile(const std::string& path,
                                                const std::string& server) const {
  std::filesystem::path file;
  CheckStatus(platform::ResolveDatabasePath(ServerDirectory(server), path, &file),
              "cannot find database " + path);
  return file;
}

void UseDataDirectory(const std::string& directory) {
  os::SetEnvironment(platform::kDataDirectoryVariable, directory.c_str());
}

}  // namespace quendral::cli
