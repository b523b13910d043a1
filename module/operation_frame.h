// The frame every exported repair runs in.
//
// Each call creates its own Notes session, opens the database(s) it needs,
// fetches one document, lets the repair walk change the document in memory,
// saves when the walk reports a change and tears everything down again. Every
// Notes error becomes the result 1; a call that ran to its end returns 0.
// Nothing survives from one call to the next.
//
// The frame is written over an `Api` (the Notes object API in the library,
// recording fakes in the tests) that supplies:
//   types Session, Database, Document;
//   static void SetThrowAllErrors(int on);
//   static int OpenDatabase(Session&, Database&, const char* server, const char* path);
//   static LNSTATUS FindDocument(Database&, const char* document_id, Document*);
// and a `Repair` with
//   void Prepare(std::span<typename Api::Database> databases);   // after opening
//   WalkResult Walk(typename Api::Document& document);
#ifndef QUENDRAL_MODULE_OPERATION_FRAME_H_
#define QUENDRAL_MODULE_OPERATION_FRAME_H_

#include <array>
#include <cstddef>
#include <span>

#include "notes/status_text.h"
#include "platform/notes/vocabulary/status.h"
#include "repair/walk_result.h"

namespace quendral {

// The texts of one call. `database_paths` lists the databases to open, the
// document's database first; all are on `server`.
template <std::size_t kDatabaseCount>
struct FrameRequest {
  const char* server;
  std::array<const char*, kDatabaseCount> database_paths;
  const char* document_id;
};

inline constexpr int kFrameSucceeded = 0;
inline constexpr int kFrameFailed = 1;

// How a call went, for callers that say more than the exported result.
struct FrameOutcome {
  int result = kFrameSucceeded;
  LNSTATUS status = 0;  // the status that made the call fail
  bool saved = false;   // the document was saved
};

template <class Api, std::size_t kDatabaseCount, class Repair>
class OperationFrame {
 public:
  OperationFrame(const FrameRequest<kDatabaseCount>& request, Repair& repair)
      : request_(request), repair_(repair) {}

  // Runs the whole call. The session, databases and document are members,
  // constructed in that order and destroyed in reverse.
  FrameOutcome Run() {
    Api::SetThrowAllErrors(1);
    try {
      RunSteps();
    } catch (LNSTATUS status) {
      Fail(status);
      Undo();
    } catch (...) {
      // Anything else (memory exhaustion, a fault of the platform) must not
      // cross the exported boundary either.
      Fail(platform::kErrOutOfMemory);
      Undo();
    }
    return outcome_;
  }

 private:
  void RunSteps() {
    session_.Initialize(230, 0, nullptr, 1, nullptr);
    for (std::size_t i = 0; i < kDatabaseCount; ++i) {
      if (Api::OpenDatabase(session_, databases_[i], request_.server, request_.database_paths[i]) !=
          0) {
        throw static_cast<LNSTATUS>(kErrOpenFailed);
      }
    }
    repair_.Prepare(std::span(databases_));
    if (Api::FindDocument(databases_[0], request_.document_id, &document_) == 0) {
      RepairDocument();
    }
    databases_[0].Close();
    session_.Term(0);
  }

  void RepairDocument() {
    document_.Open(0);
    const WalkResult walk = repair_.Walk(document_);
    if (walk.changed) {
      document_.Save(0);
      outcome_.saved = true;
    }
    document_.Close();
    if (walk.error != 0) {
      Fail(walk.error);
    }
  }

  void Fail(LNSTATUS status) {
    outcome_.result = kFrameFailed;
    outcome_.status = status;
  }

  // Closes what is still standing after an error. These calls may throw in
  // their turn; the call has failed already, so their statuses are dropped.
  void Undo() noexcept {
    try {
      if (databases_[0].IsOpen()) {
        databases_[0].Close();
      }
    } catch (...) {
    }
    try {
      if (session_.IsInitialized()) {
        session_.Term(0);
      }
    } catch (...) {
    }
  }

  const FrameRequest<kDatabaseCount>& request_;
  Repair& repair_;
  typename Api::Session session_;
  std::array<typename Api::Database, kDatabaseCount> databases_;
  typename Api::Document document_;
  FrameOutcome outcome_;
};

template <class Api, std::size_t kDatabaseCount, class Repair>
FrameOutcome RunOperationFrame(const FrameRequest<kDatabaseCount>& request, Repair& repair) {
  OperationFrame<Api, kDatabaseCount, Repair> frame(request, repair);
  return frame.Run();
}

}  // namespace quendral

#endif  // QUENDRAL_MODULE_OPERATION_FRAME_H_
