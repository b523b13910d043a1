#include "platform/notes/ln_database.h"

#include "platform/notes/ln_internal.h"
#include "platform/notes/ln_note.h"
#include "platform/notes/ln_report.h"
#include "platform/notes/local_time.h"
#include "platform/notes/new_ids.h"

using notes::internal::Report;

namespace {

// A note that is not stored yet, open and empty.
notes::STATUS NewNote(const std::shared_ptr<notes::internal::DatabaseBinding>& database,
                      notes::store::NoteHeader header,
                      std::shared_ptr<notes::internal::NoteBinding>* binding) {
  header.created = notes::internal::CurrentLocalTime();
  header.modified = header.created;
  std::shared_ptr<notes::internal::OpenNote> open;
  notes::STATUS status = notes::internal::OpenNote::Create(&open);
  if (status == notes::kNoError) {
    *binding = std::make_shared<notes::internal::NoteBinding>(
        notes::internal::NoteBinding{database, std::move(header), std::move(open)});
  }
  return status;
}

}  // namespace

LNDatabase::LNDatabase() = default;
LNDatabase::~LNDatabase() = default;
LNDatabase::LNDatabase(const LNDatabase&) = default;
LNDatabase& LNDatabase::operator=(const LNDatabase&) = default;

LNSTATUS LNDatabase::Open() {
  if (!binding_) {
    return Report(notes::kErrDatabaseNotFound);
  }
  if (binding_->store) {
    return notes::kNoError;
  }
  std::unique_ptr<notes::store::Store> store;
  notes::STATUS status = notes::store::Store::Open(binding_->file, &store);
  if (status == notes::kNoError) {
    binding_->store = std::move(store);
  }
  return Report(status);
}

bool LNDatabase::IsOpen() const { return binding_ && binding_->store; }

LNSTATUS LNDatabase::Close() {
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  const notes::STATUS status = binding_->store->Close();
  binding_->store.reset();
  return Report(status);
}

LNSTATUS LNDatabase::GetReplicaID(TIMEDATE* replica_id) const {
  if (replica_id == nullptr) {
    return Report(notes::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  notes::store::DatabaseInfo info;
  notes::STATUS status = binding_->store->ReadInfo(&info);
  if (status == notes::kNoError) {
    *replica_id = info.replica_id;
  }
  return Report(status);
}

LNSTATUS LNDatabase::GetTitle(LNString* title) const {
  if (title == nullptr) {
    return Report(notes::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  notes::store::DatabaseInfo info;
  notes::STATUS status = binding_->store->ReadInfo(&info);
  if (status == notes::kNoError) {
    *title = LNString(info.title);
  }
  return Report(status);
}

LNString LNDatabase::GetFilePath() const {
  return binding_ ? LNString(binding_->file.string()) : LNString();
}

LNSTATUS LNDatabase::GetDocument(const UNIVERSALNOTEID& id, LNDocument* doc) const {
  if (doc == nullptr) {
    return Report(notes::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  notes::store::NoteHeader header;
  notes::STATUS status = binding_->store->FindDocument(id, &header);
  if (status == notes::kNoError) {
    doc->note_ = std::make_shared<notes::internal::NoteBinding>(
        notes::internal::NoteBinding{binding_, std::move(header), nullptr});
  }
  return Report(status);
}

LNSTATUS LNDatabase::GetDocumentIDs(std::vector<UNIVERSALNOTEID>* ids) const {
  if (ids == nullptr) {
    return Report(notes::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->ListDocuments(ids));
}

LNSTATUS LNDatabase::GetDocumentCount(std::size_t* count) const {
  if (count == nullptr) {
    return Report(notes::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->CountDocuments(count));
}

LNSTATUS LNDatabase::GetDocuments(std::uint32_t after_note_id, std::size_t limit,
                                  std::vector<LNDocument>* docs) const {
  if (docs == nullptr) {
    return Report(notes::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  std::vector<notes::store::NoteHeader> headers;
  notes::STATUS status = binding_->store->ListDocumentsAfter(after_note_id, limit, &headers);
  docs->clear();
  for (notes::store::NoteHeader& header : headers) {
    docs->emplace_back().note_ = std::make_shared<notes::internal::NoteBinding>(
        notes::internal::NoteBinding{binding_, std::move(header), nullptr});
  }
  return Report(status);
}

LNSTATUS LNDatabase::BeginReadGroup() {
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->BeginReadGroup());
}

LNSTATUS LNDatabase::EndReadGroup() {
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->EndReadGroup());
}

LNSTATUS LNDatabase::BeginSaveGroup() {
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  return Report(binding_->store->BeginSaveGroup());
}

LNSTATUS LNDatabase::CommitSaveGroup() {
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
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
    return Report(notes::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  notes::store::NoteHeader header;
  header.unid = notes::NewUniversalId();
  return Report(NewNote(binding_, std::move(header), &doc->note_));
}

LNSTATUS LNDatabase::GetProfileDocument(const LNString& name, LNProfileDocument* doc,
                                        const LNString& user) {
  if (doc == nullptr || name.IsNull()) {
    return Report(notes::kErrInvalidArgument);
  }
  if (!IsOpen()) {
    return Report(notes::kErrDatabaseNotOpen);
  }
  notes::store::NoteHeader header;
  notes::STATUS status = binding_->store->FindProfile(name.View(), user.View(), &header);
  if (status == notes::kNoError) {
    doc->note_ = std::make_shared<notes::internal::NoteBinding>(
        notes::internal::NoteBinding{binding_, std::move(header), nullptr});
    return doc->Open(0);
  }
  if (status != notes::kErrNoteNotFound) {
    return Report(status);
  }
  header.unid = notes::NewUniversalId();
  header.note_class = notes::store::NoteClass::kProfile;
  header.profile_name = name.GetString();
  header.profile_user = user.GetString();
  return Report(NewNote(binding_, std::move(header), &doc->note_));
}
