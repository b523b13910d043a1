// Fresh identities for new notes and databases.
#ifndef QUENDRAL_PLATFORM_NOTES_NEW_IDS_H_
#define QUENDRAL_PLATFORM_NOTES_NEW_IDS_H_

#include "platform/notes/types.h"

namespace notes {

// Random, so that identities made in different processes do not collide.
UNIVERSALNOTEID NewUniversalId();
TIMEDATE NewReplicaId();

}  // namespace notes

#endif  // QUENDRAL_PLATFORM_NOTES_NEW_IDS_H_
