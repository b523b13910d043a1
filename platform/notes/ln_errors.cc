#include "platform/notes/ln_errors.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "platform/notes/ln_report.h"

namespace {

std::atomic<bool> throw_all_errors{false};

const char* StatusText(LNSTATUS status) {
  switch (status) {
    case notes::kNoError:
      return "No error";
    case notes::kErrInvalidArgument:
      return "Invalid argument";
    case notes::kErrInvalidHandle:
      return "Invalid handle";
    case notes::kErrOutOfMemory:
      return "Insufficient memory";
    case notes::kErrSessionNotInitialized:
      return "The Notes session is not initialized";
    case notes::kErrUnknownServer:
      return "Server not found";
    case notes::kErrPathOutsideDataDirectory:
      return "The path lies outside the server's data directory";
    case notes::kErrDatabaseNotFound:
      return "File does not exist";
    case notes::kErrReplicaNotFound:
      return "No database with that replica ID was found";
    case notes::kErrDatabaseNotOpen:
      return "The database is not open";
    case notes::kErrDatabaseExists:
      return "The database file already exists";
    case notes::kErrDatabaseDamaged:
      return "The database is damaged or not a database";
    case notes::kErrDatabaseBusy:
      return "The database is in use; try again later";
    case notes::kErrStorageFailure:
      return "The database could not be read or written";
    case notes::kErrDiskFull:
      return "The disk is full";
    case notes::kErrInvalidUniversalId:
      return "Invalid universal ID";
    case notes::kErrNoteNotFound:
      return "Document not found";
    case notes::kErrNoteNotOpen:
      return "The document is not open";
    case notes::kErrSaveConflict:
      return "Someone else modified this document since it was opened";
    case notes::kErrItemNotFound:
      return "Item not found";
    case notes::kErrItemTypeMismatch:
      return "The item is not of the expected type";
    case notes::kErrItemValueInvalid:
      return "The item's value is invalid";
    case notes::kErrNoMoreItems:
      return "No more items";
    case notes::kErrFormulaSyntax:
      return "Formula error";
    case notes::kErrFormulaEvaluation:
      return "The formula could not be evaluated";
    case notes::kErrFormulaTooLarge:
      return "The formula is too large";
    case notes::kErrCompositeRecordInvalid:
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
    return notes::kErrInvalidArgument;
  }
  const char* text = StatusText(status);
  if (text != nullptr) {
    std::snprintf(buffer, buffer_size, "%s", text);
  } else {
    std::snprintf(buffer, buffer_size, "Unknown error 0x%04lX", status);
  }
  return notes::kNoError;
}

namespace notes::internal {

LNSTATUS Report(STATUS status) {
  if (status != kNoError && throw_all_errors.load()) {
    throw static_cast<LNSTATUS>(status);
  }
  return status;
}

}  // namespace notes::internal
