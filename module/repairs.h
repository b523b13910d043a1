// The two repairs as the exported functions run them, with the whole outcome
// for callers (such as the command-line tool) that report more than 0 or 1.
#ifndef QUENDRAL_MODULE_REPAIRS_H_
#define QUENDRAL_MODULE_REPAIRS_H_

#include "module/operation_frame.h"

namespace quendral {

FrameOutcome RunFixRichTextFields(const char* server, const char* database,
                                  const char* document_id);

FrameOutcome RunChangeServerInLinks(const char* server, const char* database,
                                    const char* document_id, const char* old_replica_ids,
                                    const char* target_database);

}  // namespace quendral

#endif  // QUENDRAL_MODULE_REPAIRS_H_
