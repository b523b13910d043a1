// Fresh identities for new notes and databases.
#ifndef QUENDRAL_PLATFORM_NOTES_STORE_NEW_IDS_H_
#define QUENDRAL_PLATFORM_NOTES_STORE_NEW_IDS_H_

#include "platform/notes/vocabulary/types.h"

namespace quendral::platform {

// Random, so that identities made in different processes do not collide.
UNIVERSALNOTEID NewUniversalId();
TIMEDATE NewReplicaId();

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_STORE_NEW_IDS_H_
