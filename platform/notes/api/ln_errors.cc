#include "platform/notes/api/ln_errors.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "platform/notes/api/ln_report.h"

namespace {

std::atomic<bool> throw_all_errors{false};

const char* StatusText(LNSTATUS status) {
  switch (status) {
    case quendral::platform::kNoError:
      return "No error";
    case quendral::platform::kErrInvalidArgument:
      return "Invalid argument";
    case quendral::platform::kErrInvalidHandle:
      return "Invalid handle";
    case quendral::platform::kErrOutOfMemory:
      return "Insufficient memory";
    case quendral::platform::kErrSessionNotInitialized:
      return "The Notes session is not initialized";
    case quendral::platform::kErrUnknownServer:
      return "Server not found";
    case quendral::platform::kErrPathOutsideDataDirectory:
      return "The path lies outside the server's data directory";
    case quendral::platform::kErrDatabaseNotFound:
      return "File does not exist";
    case quendral::platform::kErrReplicaNotFound:
      return "No database with that replica ID was found";
    case quendral::platform::kErrDatabaseNotOpen:
      return "The database is not open";
    case quendral::platform::kErrDatabaseExists:
      return "The database file already exists";
    case quendral::platform::kErrDatabaseDamaged:
      return "The database is damaged or not a database";
    case quendral::platform::kErrDatabaseBusy:
      return "The database is in use; try again later";
    case quendral::platform::kErrStorageFailure:
      return "The database could not be read or written";
    case quendral::platform::kErrDiskFull:
      return "The disk is full";
    case quendral::platform::kErrInvalidUniversalId:
      return "Invalid universal ID";
    case quendral::platform::kErrNoteNotFound:
      return "Document not found";
    case quendral::platform::kErrNoteNotOpen:
      return "The document is not open";
    case quendral::platform::kErrSaveConflict:
      return "Someone else modified this document since it was opened";
    case quendral::platform::kErrItemNotFound:
      return "Item not found";
    case quendral::platform::kErrItemTypeMismatch:
      return "The item is not of the expected type";
    case quendral::platform::kErrItemValueInvalid:
      return "The item's value is invalid";
    case quendral::platform::kErrNoMoreItems:
      return "No more items";
    case quendral::platform::kErrFormulaSyntax:
      return "Formula error";
    case quendral::platform::kErrFormulaEvaluation:
      return "The formula could not be evaluated";
    case quendral::platform::kErrFormulaTooLarge:
      return "The formula is too large";
    case quendral::platform::kErrCompositeRecordInvalid:
      return "Invalid rich text record";
    default:
      return nullptr;
  }
}

}  // namespace

void LNSetThrowAllErrorsGlobal(int on) { throw_all_errors.store(on != 0); }

bool LNGetThrowAllErrorsGlobal() { return throw_all_errors.load(); }

LNSTATUS LNGetErrorMessageText(LNSTATUS status, char* buffer, unsigned buffer_size, int /*flags*/) {
  if (buffer == nullptr || buffer_size == 0) {
    return quendral::platform::kErrInvalidArgument;
  }
  const char* text = StatusText(status);
  if (text != nullptr) {
    std::snprintf(buffer, buffer_size, "%s", text);
  } else {
    std::snprintf(buffer, buffer_size, "Unknown error 0x%04lX", status);
  }
  return quendral::platform::kNoError;
}

namespace quendral::platform::internal {

LNSTATUS Report(STATUS status) {
  if (status != kNoError && throw_all_errors.load()) {
    throw static_cast<LNSTATUS>(status);
  }
  return status;
}

}  // namespace quendral::platform::internal
