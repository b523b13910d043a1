// What a formula sees when the object API evaluates it: the open note's
// items as fields, the session's user, the local clock.
#ifndef QUENDRAL_PLATFORM_NOTES_API_NOTE_ENVIRONMENT_H_
#define QUENDRAL_PLATFORM_NOTES_API_NOTE_ENVIRONMENT_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notes/api/ln_internal.h"
#include "platform/notes/api/settings_file.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/store/store.h"

namespace quendral::platform::internal {

// What a formula reads from an item of this type and value: rich text as its
// plain text; nothing for a value that does not decode.
std::optional<formula::Value> FieldValue(std::uint16_t type, const std::uint8_t* data,
                                         std::size_t length);

// Facts every environment of a stored note shares: the note ID as @NoteID
// gives it, the value of the session's settings file that @Environment
// reads ("$Name" in section "Notes" of notes.ini in the data directory),
// and the operating system's name as @Platform gives it.
std::string NoteIdText(std::int64_t note_id);
bool SessionSetting(const SessionState* session, std::string_view name, std::string* value);
std::string PlatformName();

// Facts of the stored database a note belongs to, shared by the
// environments of open notes and of item images.
// The entry of the database's access list that applies to the session's
// user; nothing when the list cannot be read.
std::optional<formula::AccessEntry> StoredUserAccess(store::Store& store,
                                                     const SessionState* session);
// The user's roles: those the session was given for its user, else those
// of the access list's entry for the user, which `access` is asked for only
// then.
std::vector<std::string> UserRolesOf(
    const SessionState* session,
    const std::function<std::optional<formula::AccessEntry>()>& access);
// The profile's field, "" when the profile or the field is missing.
void StoredProfileField(store::Store& store, std::string_view profile, std::string_view field,
                        std::string_view user, formula::Value* value);

class NoteEnvironment : public formula::Environment {
 public:
  // `note` may be null (a formula evaluated without a note), and so may
  // `session` (no user).
  NoteEnvironment(std::shared_ptr<NoteBinding> note, std::shared_ptr<SessionState> session)
      : note_(std::move(note)), session_(std::move(session)) {}

  bool HasNote() const override { return note_ != nullptr; }
  std::optional<formula::Value> ReadField(std::string_view name) const override;
  void WriteField(std::string_view name, const formula::Value& value) override;
  std::optional<formula::DateTime> Created() const override;
  std::optional<formula::DateTime> Modified() const override;
  std::string DocumentUniqueId() const override;
  std::string UserName() const override;
  std::vector<std::string> UserRoles() const override;
  formula::DateTime Now() const override;
  formula::ZoneRule LocalZoneRule() const override;
  bool HasField(std::string_view name) const override;
  std::optional<std::string> NoteId() const override;
  std::optional<double> DocumentLength() const override;
  std::optional<Database> ThisDatabase() const override;
  std::optional<formula::AccessEntry> UserAccess() const override;
  std::optional<std::vector<std::string>> AttachmentNames() const override;
  bool ProfileField(std::string_view profile, std::string_view field, std::string_view user,
                    formula::Value* value) const override;
  bool Setting(std::string_view name, std::string* value) const override;
  std::optional<std::string> Platform() const override { return PlatformName(); }

  // The first failure of a field assignment, which the formula language
  // itself cannot report.
  STATUS write_status() const { return write_status_; }

 private:
  store::Store* StoreOfNote() const;

  std::shared_ptr<NoteBinding> note_;
  std::shared_ptr<SessionState> session_;
  STATUS write_status_ = kNoError;
};

}  // namespace quendral::platform::internal

#endif  // QUENDRAL_PLATFORM_NOTES_API_NOTE_ENVIRONMENT_H_
