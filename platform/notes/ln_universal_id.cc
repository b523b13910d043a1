#include "platform/notes/ln_universal_id.h"

#include <cstdio>

#include "platform/notes/ln_report.h"

namespace {

constexpr std::size_t kDigitsPerWord = 8;
constexpr std::size_t kTextLength = 4 * kDigitsPerWord;

bool ParseHexWord(std::string_view digits, std::uint32_t* word) {
  std::uint32_t value = 0;
  for (char digit : digits) {
    int nibble = 0;
    if (digit >= '0' && digit <= '9') {
      nibble = digit - '0';
    } else if (digit >= 'A' && digit <= 'F') {
      nibble = digit - 'A' + 10;
    } else if (digit >= 'a' && digit <= 'f') {
      nibble = digit - 'a' + 10;
    } else {
      return false;
    }
    value = (value << 4) | static_cast<std::uint32_t>(nibble);
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
  char text[kTextLength + 1];
  std::snprintf(text, sizeof text, "%08X%08X%08X%08X", id.File.Innards[1], id.File.Innards[0],
                id.Note.Innards[1], id.Note.Innards[0]);
  return LNString(text);
}
