// Statuses of the Notes platform.
//
// Core calls return a 16-bit STATUS; the object API (the LN classes) reports
// the same numbers as LNSTATUS, returned or, in throw-all-errors mode, thrown
// as an unsigned long. 0 is success everywhere. LNGetErrorMessageText gives
// each status's text.
#ifndef QUENDRAL_PLATFORM_NOTES_VOCABULARY_STATUS_H_
#define QUENDRAL_PLATFORM_NOTES_VOCABULARY_STATUS_H_

#include <cstdint>

namespace quendral::platform {

using STATUS = std::uint16_t;

enum : STATUS {
  kNoError = 0,
  kErrInvalidArgument = 0x0101,
  kErrInvalidHandle = 0x0102,
  kErrOutOfMemory = 0x0103,
  kErrSessionNotInitialized = 0x0104,
  kErrUnknownServer = 0x0110,
  kErrPathOutsideDataDirectory = 0x0111,
  kErrDatabaseNotFound = 0x0112,
  kErrReplicaNotFound = 0x0113,
  kErrDatabaseNotOpen = 0x0114,
  kErrDatabaseExists = 0x0115,
  kErrDatabaseDamaged = 0x0116,
  kErrDatabaseBusy = 0x0117,
  kErrStorageFailure = 0x0118,
  kErrDiskFull = 0x0119,
  kErrInvalidUniversalId = 0x0120,
  kErrNoteNotFound = 0x0121,
  kErrNoteNotOpen = 0x0122,
  kErrSaveConflict = 0x0123,
  kErrItemNotFound = 0x0130,
  kErrItemTypeMismatch = 0x0131,
  kErrItemValueInvalid = 0x0132,
  kErrNoMoreItems = 0x0133,
  kErrFormulaSyntax = 0x0140,
  kErrFormulaEvaluation = 0x0141,
  kErrFormulaTooLarge = 0x0142,
  kErrCompositeRecordInvalid = 0x0150,
};

}  // namespace quendral::platform

// The object API's status type: the same numbers, as an unsigned long.
using LNSTATUS = unsigned long;  // NOLINT(google-runtime-int): the object API's own type

#endif  // QUENDRAL_PLATFORM_NOTES_VOCABULARY_STATUS_H_
