// LNUniversalID: a document's 16-byte identity and its 32-hex-digit text.
//
// Digits 1-8 are word 1 of the file part, 9-16 its word 0, 17-24 word 1 of
// the note part and 25-32 its word 0. Exactly 32 hexadecimal digits are
// accepted, in either case.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_UNIVERSAL_ID_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_UNIVERSAL_ID_H_

#include "platform/notes/api/ln_string.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

class LNUniversalID {
 public:
  LNUniversalID() = default;
  explicit LNUniversalID(const UNIVERSALNOTEID& id) : id_(id), status_(0) {}
  // Invalid text throws kErrInvalidUniversalId in throw-all-errors mode;
  // otherwise GetUniversalID reports it.
  explicit LNUniversalID(const LNString& text);

  // kErrInvalidUniversalId when the text it was made from was invalid, or
  // when it was made from nothing.
  LNSTATUS GetUniversalID(UNIVERSALNOTEID* id) const;
  // The text in upper case.
  LNString GetText() const;

  // True when `text` is a valid universal-ID text; fills *id then.
  static bool Parse(std::string_view text, UNIVERSALNOTEID* id);
  static LNString Format(const UNIVERSALNOTEID& id);

 private:
  UNIVERSALNOTEID id_{};
  LNSTATUS status_ = quendral::platform::kErrInvalidUniversalId;
};

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_UNIVERSAL_ID_H_
