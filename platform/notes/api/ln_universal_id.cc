#include "platform/notes/api/ln_universal_id.h"

#include "platform/base/ascii.h"
#include "platform/notes/api/ln_report.h"

namespace {

constexpr std::size_t kDigitsPerWord = 8;
constexpr std::size_t kTextLength = 4 * kDigitsPerWord;

bool ParseHexWord(std::string_view digits, std::uint32_t* word) {
  std::uint32_t value = 0;
  for (char digit : digits) {
    const std::optional<unsigned> nibble = quendral::base::HexDigitValue(digit);
    if (!nibble) {
      return false;
    }
    value = (value << 4) | *nibble;
  }
  *word = value;
  return true;
}

}  // namespace

LNUniversalID::LNUniversalID(const LNString& text) {
  if (Parse(text.View(), &id_)) {
    status_ = quendral::platform::kNoError;
  } else {
    quendral::platform::internal::Report(quendral::platform::kErrInvalidUniversalId);
  }
}

LNSTATUS LNUniversalID::GetUniversalID(UNIVERSALNOTEID* id) const {
  if (id == nullptr) {
    return quendral::platform::internal::Report(quendral::platform::kErrInvalidArgument);
  }
  if (status_ == quendral::platform::kNoError) {
    *id = id_;
  }
  return quendral::platform::internal::Report(static_cast<quendral::platform::STATUS>(status_));
}

LNString LNUniversalID::GetText() const { return Format(id_); }

bool LNUniversalID::Parse(std::string_view text, UNIVERSALNOTEID* id) {
  if (text.size() != kTextLength) {
    return false;
  }
  // Each two-word part is written with its word 1 first.
  UNIVERSALNOTEID parsed{};
  std::uint32_t* words[] = {&parsed.File.Innards[1], &parsed.File.Innards[0],
                            &parsed.Note.Innards[1], &parsed.Note.Innards[0]};
  for (std::size_t i = 0; i < 4; ++i) {
    if (!ParseHexWord(text.substr(i * kDigitsPerWord, kDigitsPerWord), words[i])) {
      return false;
    }
  }
  *id = parsed;
  return true;
}

LNString LNUniversalID::Format(const UNIVERSALNOTEID& id) {
  // Each two-word part is written with its word 1 first.
  char text[kTextLength + 1];
  char* end = text;
  for (std::uint32_t word :
       {id.File.Innards[1], id.File.Innards[0], id.Note.Innards[1], id.Note.Innards[0]}) {
    end = quendral::base::WriteHexWord(word, end);
  }
  *end = '\0';
  return LNString(text);
}
