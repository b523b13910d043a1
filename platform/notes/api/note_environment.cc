#include "platform/notes/api/note_environment.h"

#include <cstdio>

#include "platform/notes/api/attachment_names.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_note.h"
#include "platform/notes/api/ln_universal_id.h"
#include "platform/notes/api/local_time.h"
#include "platform/notes/store/access_list_table.h"
#include "platform/os/system_info.h"

namespace quendral::platform::internal {

std::optional<formula::Value> FieldValue(std::uint16_t type, const std::uint8_t* data,
                                         std::size_t length) {
  if (type == kTypeCompositeText) {
    std::vector<richtext::Paragraph> paragraphs;
    if (values::DecodeRichText(data, length, &paragraphs) != kNoError) {
      return std::nullopt;
    }
    return formula::Value::Text(richtext::PlainText(paragraphs));
  }
  formula::Value value;
  if (values::DecodeFormulaValue(type, data, length, &value) != kNoError) {
    return std::nullopt;
  }
  return value;
}

namespace {

// The first item the formula language takes for `name`.
std::optional<std::size_t> FindField(const OpenNote& note, std::string_view name) {
  for (std::optional<std::size_t> slot = note.Find(std::nullopt, 0); slot;
       slot = note.Find(std::nullopt, *slot + 1)) {
    if (formula::SameFieldName(note.Item(*slot)->name, name)) {
      return slot;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<formula::Value> NoteEnvironment::ReadField(std::string_view name) const {
  if (!note_) {
    return std::nullopt;
  }
  const OpenNote& note = *note_->open;
  std::optional<std::size_t> slot = FindField(note, name);
  if (!slot) {
    return std::nullopt;
  }
  return FieldValue(note.Type(*slot), note.Value(*slot), note.ValueLength(*slot));
}

void NoteEnvironment::WriteField(std::string_view name, const formula::Value& value) {
  std::uint16_t type = 0;
  values::Bytes bytes;
  STATUS status =
      note_ ? values::EncodeFormulaValue(value, &type, &bytes) : STATUS{kErrNoteNotOpen};
  if (status == kNoError) {
    OpenNote& note = *note_->open;
    std::optional<std::size_t> slot = FindField(note, name);
    std::size_t added = 0;
    status = slot ? note.Replace(*slot, type, note.Item(*slot)->flags, bytes.data(), bytes.size())
                  : note.Add(name, type, kItemFlagSummary, bytes.data(), bytes.size(), &added);
  }
  if (write_status_ == kNoError) {
    write_status_ = status;
  }
}

std::optional<formula::DateTime> NoteEnvironment::Created() const {
  return note_ ? std::optional(note_->header.created) : std::nullopt;
}

std::optional<formula::DateTime> NoteEnvironment::Modified() const {
  return note_ ? std::optional(note_->header.modified) : std::nullopt;
}

std::string NoteEnvironment::DocumentUniqueId() const {
  return note_ ? LNUniversalID::Format(note_->header.unid).GetString() : std::string();
}

std::string NoteEnvironment::UserName() const {
  return session_ ? session_->UserName() : std::string();
}

std::vector<std::string> NoteEnvironment::UserRoles() const {
  return UserRolesOf(session_.get(), [this] { return UserAccess(); });
}

store::Store* NoteEnvironment::StoreOfNote() const {
  return note_ && note_->database ? note_->database->store.get() : nullptr;
}

std::optional<formula::AccessEntry> StoredUserAccess(store::Store& store,
                                                     const SessionState* session) {
  std::vector<formula::AccessEntry> list;
  if (store::ReadAccessList(store.connection(), &list) != kNoError) {
    return std::nullopt;
  }
  return formula::AccessFor(list, session != nullptr ? session->UserName() : "");
}

std::vector<std::string> UserRolesOf(
    const SessionState* session,
    const std::function<std::optional<formula::AccessEntry>()>& access) {
  std::vector<std::string> roles = session ? session->UserRoles() : std::vector<std::string>();
  if (roles.empty()) {
    if (std::optional<formula::AccessEntry> entry = access()) {
      roles = std::move(entry->roles);
    }
  }
  return roles;
}

void StoredProfileField(store::Store& store, std::string_view profile, std::string_view field,
                        std::string_view user, formula::Value* value) {
  *value = formula::Value::Text("");
  store::NoteHeader header;
  if (store.FindProfile(profile, user, &header) != kNoError) {
    return;  // no such profile: every field reads as ""
  }
  bool found = false;
  store.LoadItems(header.note_id, [&](const store::StoredItem& item) {
    if (!found && formula::SameFieldName(item.name, field)) {
      found = true;
      if (std::optional<formula::Value> read = FieldValue(item.type, item.value, item.length)) {
        *value = std::move(*read);
      }
    }
    return kNoError;
  });
}

formula::DateTime NoteEnvironment::Now() const { return CurrentLocalTime(); }

formula::ZoneRule NoteEnvironment::LocalZoneRule() const { return platform::LocalZoneRule(); }

std::string NoteIdText(std::int64_t note_id) {
  char text[24];
  std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(note_id));
  return text;
}

bool SessionSetting(const SessionState* session, std::string_view name, std::string* value) {
  return session != nullptr && DataDirectorySetting(session->data_directory, name, value);
}

std::string PlatformName() {
  os::SystemVersion version;
  if (os::ReadSystemVersion(&version) && version.platform == os::kPlatformWindowsNt) {
    return sizeof(void*) == 8 ? "Windows/64" : "Windows/32";
  }
  return "Linux";
}

bool NoteEnvironment::HasField(std::string_view name) const {
  return note_ && note_->open->Find(name, 0).has_value();
}

std::optional<std::string> NoteEnvironment::NoteId() const {
  if (!note_ || note_->header.note_id == 0) {
    return std::nullopt;
  }
  return NoteIdText(note_->header.note_id);
}

std::optional<double> NoteEnvironment::DocumentLength() const {
  if (!note_) {
    return std::nullopt;
  }
  const OpenNote& note = *note_->open;
  double length = 0;
  for (std::size_t slot = 0; slot < note.slot_count(); ++slot) {
    length += note.Item(slot) != nullptr ? static_cast<double>(note.ValueLength(slot)) : 0;
  }
  return length;
}

std::optional<formula::Environment::Database> NoteEnvironment::ThisDatabase() const {
  if (!note_ || !note_->database || !note_->database->store) {
    return std::nullopt;
  }
  store::DatabaseInfo info;
  if (note_->database->store->ReadInfo(&info) != kNoError) {
    return std::nullopt;
  }
  char replica[20];
  std::snprintf(replica, sizeof replica, "%08X%08X", info.replica_id.Innards[1],
                info.replica_id.Innards[0]);
  return Database{"", note_->database->file.string(), replica, info.title};
}

bool NoteEnvironment::ProfileField(std::string_view profile, std::string_view field,
                                   std::string_view user, formula::Value* value) const {
  store::Store* store = StoreOfNote();
  if (store == nullptr) {
    return false;
  }
  StoredProfileField(*store, profile, field, user, value);
  return true;
}

std::optional<formula::AccessEntry> NoteEnvironment::UserAccess() const {
  store::Store* store = StoreOfNote();
  return store != nullptr ? StoredUserAccess(*store, session_.get()) : std::nullopt;
}

std::optional<std::vector<std::string>> NoteEnvironment::AttachmentNames() const {
  if (!note_) {
    return std::nullopt;
  }
  const OpenNote& note = *note_->open;
  std::vector<std::string> names;
  for (std::optional<std::size_t> slot = note.Find(std::nullopt, 0); slot;
       slot = note.Find(std::nullopt, *slot + 1)) {
    if (std::optional<std::string> name = AttachmentName(
            note.Item(*slot)->name, note.Type(*slot), note.Value(*slot), note.ValueLength(*slot))) {
      names.push_back(std::move(*name));
    }
  }
  return names;
}

bool NoteEnvironment::Setting(std::string_view name, std::string* value) const {
  return SessionSetting(session_.get(), name, value);
}

}  // namespace quendral::platform::internal
