// The exported repairs. A null text is read as the empty text, so that a
// careless caller gets a failure result instead of a crash.
#include "module/repairs.h"
#include "quendral/quendral.h"

namespace {

const char* OrEmpty(const char* text) { return text == nullptr ? "" : text; }

}  // namespace

extern "C" int QUENDRAL_CALL FixRichTextFields(const char* server, const char* database,
                                               const char* document_id) {
  return quendral::RunFixRichTextFields(OrEmpty(server), OrEmpty(database), OrEmpty(document_id))
      .result;
}

extern "C" int QUENDRAL_CALL ChangeServerInLinks(const char* server, const char* database,
                                                 const char* document_id,
                                                 const char* old_replica_ids,
                                                 const char* target_database) {
  return quendral::RunChangeServerInLinks(OrEmpty(server), OrEmpty(database), OrEmpty(document_id),
                                          OrEmpty(old_replica_ids), OrEmpty(target_database))
      .result;
}
