#include "platform/notes/api/ln_database.h"

#include "platform/notes/api/ln_internal.h"
#include "platform/notes/api/ln_note.h"
#include "platform/notes/api/ln_report.h"
#include "platform/notes/api/local_time.h"
#include "platform/notes/store/access_list_table.h"
#include "platform/notes/store/new_ids.h"

using quendral::platform::internal::Report;

namespace {

// A note that is not stored yet, open and empty.
quendral::platform::STATUS NewNote(
    const std::shared_ptr<quendral::platform::internal::DatabaseBinding>& database,
    quendral::platform::store::NoteHeader header,
    std::shared_ptr<quendral::platform::internal::NoteBinding>* binding) {
  header.created = quendral::platform::internal::CurrentLocalTime();
  header.modified = header.created;
  std::shared_ptr<quendral::platform::internal::OpenNote> open;
  quendral::platform::STATUS status = quendral::platform::internal::OpenNote::Create(&open);
  if (status == quendral::platform::kNoError) {
    *binding = std::make_shared<quendral::platform::internal::NoteBinding>(
        quendral::platform::internal::NoteBinding{database, std::move(header), std::move(open)});
  }
  return status;
}

// One of the database's stored facts, as `take` picks it from them, for the
// getters that hand out one each.
template <typename Output, typename Take>
LNSTATUS ReadInfoInto(const LNDatabase& database,
                      const std::shared_ptr<quendral::platform::internal::DatabaseBinding>& binding,
                      Output* output, Take take) {
  if (output == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!database.IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  quendral::platform::store::DatabaseInfo info;
  const quendral::platform::STATUS status = binding->store->ReadInfo(&info);
  if (status == quendral::platform::kNoError) {
    *output = take(info);
  }
  return Report(status);
}

}  // namespace

LNDatabase::LNDatabase() = default;
LNDatabase::~LNDatabase() = default;
LNDatabase::LNDatabase(const LNDatabase&) = default;
LNDatabase& LNDatabase::operator=(const LNDatabase&) = default;

LNSTATUS LNDatabase::Open() {
  if (!binding_) {
    return Report(quendral::platform::kErrDatabaseNotFound);
  }
  if (binding_->store) {
    return quendral::platform::kNoError;
  }
  std::unique_ptr<quendral::platform::store::Store> store;
  quendral::platform::STATUS status =
      quendral::platform::store::Store::Open(binding_->file, &store);
  if (status == quendral::platform::kNoError) {
    binding_->store = std::move(store);
  }
  return Report(status);
}

bool LNDatabase::IsOpen() const { return binding_ && binding_->store; }

LNSTATUS LNDatabase::Close() {
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  const quendral::platform::STATUS status = binding_->store->Close();
  binding_->store.reset();
  return Report(status);
}

LNSTATUS LNDatabase::GetReplicaID(TIMEDATE* replica_id) const {
  return ReadInfoInto(*this, binding_, replica_id,
                      [](const auto& info) { return info.replica_id; });
}

LNSTATUS LNDatabase::GetTitle(LNString* title) const {
  return ReadInfoInto(*this, binding_, title,
                      [](const auto& info) { return LNString(info.title); });
}

LNSTATUS LNDatabase::GetAccessList(
    std::vector<quendral::platform::formula::AccessEntry>* list) const {
  if (list == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  return Report(quendral::platform::store::ReadAccessList(binding_->store->connection(), list));
}

LNSTATUS LNDatabase::SetAccessList(
    const std::vector<quendral::platform::formula::AccessEntry>& list) {
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  return Report(quendral::platform::store::WriteAccessList(binding_->store->connection(), list));
}

LNString LNDatabase::GetFilePath() const {
  return binding_ ? LNString(binding_->file.string()) : LNString();
}

LNSTATUS LNDatabase::GetDocument(const UNIVERSALNOTEID& id, LNDocument* doc) const {
  if (doc == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  quendral::platform::store::NoteHeader header;
  quendral::platform::STATUS status = binding_->store->FindDocument(id, &header);
  if (status == quendral::platform::kNoError) {
    doc->note_ = std::make_shared<quendral::platform::internal::NoteBinding>(
        quendral::platform::internal::NoteBinding{binding_, std::move(header), nullptr});
  }
  return Report(status);
}

LNSTATUS LNDatabase::GetDocumentIDs(std::vector<UNIVERSALNOTEID>* ids) const {
  if (ids == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->ListDocuments(ids));
}

LNSTATUS LNDatabase::GetDocumentCount(std::size_t* count) const {
  if (count == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->CountDocuments(count));
}

LNSTATUS LNDatabase::GetDocuments(std::uint32_t after_note_id, std::size_t limit,
                                  std::vector<LNDocument>* docs) const {
  if (docs == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  std::vector<quendral::platform::store::NoteHeader> headers;
  quendral::platform::STATUS status =
      binding_->store->ListDocumentsAfter(after_note_id, limit, &headers);
  docs->clear();
  for (quendral::platform::store::NoteHeader& header : headers) {
    docs->emplace_back().note_ = std::make_shared<quendral::platform::internal::NoteBinding>(
        quendral::platform::internal::NoteBinding{binding_, std::move(header), nullptr});
  }
  return Report(status);
}

LNSTATUS LNDatabase::BeginReadGroup() {
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->BeginReadGroup());
}

LNSTATUS LNDatabase::EndReadGroup() {
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->EndReadGroup());
}

LNSTATUS LNDatabase::BeginSaveGroup() {
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->BeginSaveGroup());
}

LNSTATUS LNDatabase::CommitSaveGroup() {
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->CommitSaveGroup());
}

void LNDatabase::AbortSaveGroup() {
  if (IsOpen()) {
    binding_->store->AbortSaveGroup();
  }
}

LNSTATUS LNDatabase::CreateDocument(LNDocument* doc) {
  if (doc == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  quendral::platform::store::NoteHeader header;
  header.unid = quendral::platform::NewUniversalId();
  return Report(NewNote(binding_, std::move(header), &doc->note_));
}

LNSTATUS LNDatabase::GetProfileDocument(const LNString& name, LNProfileDocument* doc,
                                        const LNString& user) {
  if (doc == nullptr || name.IsNull()) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(quendral::platform::kErrDatabaseNotOpen);
  }
  quendral::platform::store::NoteHeader header;
  quendral::platform::STATUS status =
      binding_->store->FindProfile(name.View(), user.View(), &header);
  if (status == quendral::platform::kNoError) {
    doc->note_ = std::make_shared<quendral::platform::internal::NoteBinding>(
        quendral::platform::internal::NoteBinding{binding_, std::move(header), nullptr});
    return doc->Open(0);
  }
  if (status != quendral::platform::kErrNoteNotFound) {
    return Report(status);
  }
  header.unid = quendral::platform::NewUniversalId();
  header.note_class = quendral::platform::store::NoteClass::kProfile;
  header.profile_name = name.GetString();
  header.profile_user = user.GetString();
  return Report(NewNote(binding_, std::move(header), &doc->note_));
}
