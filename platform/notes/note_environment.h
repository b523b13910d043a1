// What a formula sees when the object API evaluates it: the open note's
// items as fields, the session's user, the local clock.
#ifndef QUENDRAL_PLATFORM_NOTES_NOTE_ENVIRONMENT_H_
#define QUENDRAL_PLATFORM_NOTES_NOTE_ENVIRONMENT_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notes/formula/formula.h"
#include "platform/notes/ln_internal.h"

namespace quendral::platform::internal {

// What a formula reads from an item of this type and value: rich text as its
// plain text; nothing for a value that does not decode.
std::optional<formula::Value> FieldValue(std::uint16_t type, const std::uint8_t* data,
                                         std::size_t length);

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

  // The first failure of a field assignment, which the formula language
  // itself cannot report.
  STATUS write_status() const { return write_status_; }

 private:
  std::shared_ptr<NoteBinding> note_;
  std::shared_ptr<SessionState> session_;
  STATUS write_status_ = kNoError;
};

}  // namespace quendral::platform::internal

#endif  // QUENDRAL_PLATFORM_NOTES_NOTE_ENVIRONMENT_H_
