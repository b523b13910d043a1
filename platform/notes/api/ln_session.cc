#include "platform/notes/api/ln_session.h"

#include <cstdlib>

#include "platform/notes/api/ln_database.h"
#include "platform/notes/api/ln_internal.h"
#include "platform/notes/api/ln_report.h"
#include "platform/notes/api/location.h"
#include "platform/os/login_name.h"

namespace quendral::platform::internal {
namespace {

std::mutex current_mutex;
std::weak_ptr<SessionState> current_session;

void MakeCurrent(const std::shared_ptr<SessionState>& session) {
  std::lock_guard<std::mutex> lock(current_mutex);
  current_session = session;
}

std::shared_ptr<SessionState> NewSessionState() {
  auto state = std::make_shared<SessionState>();
  state->user_name = os::LoginName();
  return state;
}

}  // namespace

std::string SessionState::UserName() const {
  std::lock_guard<std::mutex> lock(mutex);
  return user_name;
}

std::vector<std::string> SessionState::UserRoles() const {
  std::lock_guard<std::mutex> lock(mutex);
  return user_roles;
}

std::shared_ptr<SessionState> CurrentSession() {
  std::lock_guard<std::mutex> lock(current_mutex);
  return current_session.lock();
}

}  // namespace quendral::platform::internal

using quendral::platform::internal::Report;

LNNotesSession::LNNotesSession() : state_(quendral::platform::internal::NewSessionState()) {}

LNNotesSession::~LNNotesSession() = default;

LNSTATUS LNNotesSession::Initialize(int /*api_version*/, int /*argc*/, char** /*argv*/,
                                    int /*flag*/, const char* /*text*/) {
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->data_directory.empty()) {
      state_->data_directory = quendral::platform::DefaultDataDirectory();
    }
  }
  quendral::platform::internal::MakeCurrent(state_);
  initialized_ = true;
  return quendral::platform::kNoError;
}

bool LNNotesSession::IsInitialized() const { return initialized_; }

LNSTATUS LNNotesSession::Term(int /*flag*/) {
  if (!initialized_) {
    return Report(quendral::platform::kErrSessionNotInitialized);
  }
  initialized_ = false;
  return quendral::platform::kNoError;
}

LNSTATUS LNNotesSession::GetDatabase(const LNString& path, LNDatabase* db, const LNString& server) {
  return BindDatabase(
      db, server, [&](const std::filesystem::path& directory, std::filesystem::path* file) {
        return quendral::platform::ResolveDatabasePath(directory, path.View(), file);
      });
}

LNSTATUS LNNotesSession::GetDatabase(const TIMEDATE& replica_id, LNDatabase* db,
                                     const LNString& server) {
  return BindDatabase(db, server,
                      [&](const std::filesystem::path& directory, std::filesystem::path* file) {
                        return quendral::platform::FindReplica(directory, replica_id, file);
                      });
}

LNSTATUS LNNotesSession::BindDatabase(LNDatabase* db, const LNString& server,
                                      const DatabaseLocator& locate) {
  if (db == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!initialized_) {
    return Report(quendral::platform::kErrSessionNotInitialized);
  }
  std::filesystem::path server_directory;
  std::filesystem::path file;
  quendral::platform::STATUS status = quendral::platform::ResolveServerDirectory(
      GetDataDirectory().GetString(), server.View(), &server_directory);
  if (status == quendral::platform::kNoError) {
    status = locate(server_directory, &file);
  }
  if (status == quendral::platform::kNoError) {
    db->binding_ = std::make_shared<quendral::platform::internal::DatabaseBinding>(
        quendral::platform::internal::DatabaseBinding{state_, file, nullptr});
  }
  return Report(status);
}

void LNNotesSession::SetDataDirectory(const LNString& directory) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->data_directory = directory.GetString();
}

LNString LNNotesSession::GetDataDirectory() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return LNString(state_->data_directory.string());
}

void LNNotesSession::SetUserName(const LNString& name) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->user_name = name.GetString();
}

LNString LNNotesSession::GetUserName() const { return LNString(state_->UserName()); }

void LNNotesSession::SetUserRoles(const std::vector<std::string>& roles) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->user_roles = roles;
}

std::vector<std::string> LNNotesSession::GetUserRoles() const { return state_->UserRoles(); }
