#include "platform/notes/note_environment.h"

#include "platform/notes/item_values.h"
#include "platform/notes/ln_note.h"
#include "platform/notes/ln_universal_id.h"
#include "platform/notes/local_time.h"

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
  return session_ ? session_->UserRoles() : std::vector<std::string>();
}

formula::DateTime NoteEnvironment::Now() const { return CurrentLocalTime(); }

}  // namespace quendral::platform::internal
