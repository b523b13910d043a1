// The database's access control list as the file stores it: one row per
// entry, in the list's order. A file made before the list was kept has no
// table for it and reads as having no list (see formula::AccessFor for what
// that grants).
#ifndef QUENDRAL_PLATFORM_NOTES_STORE_ACCESS_LIST_TABLE_H_
#define QUENDRAL_PLATFORM_NOTES_STORE_ACCESS_LIST_TABLE_H_

#include <vector>

#include "platform/notes/formula/access_list.h"
#include "platform/notes/store/store_connection.h"
#include "platform/notes/vocabulary/status.h"

namespace quendral::platform::store {

// The statement that creates the table; part of every new file's schema.
extern const char* const kCreateAccessListTable;

STATUS ReadAccessList(const Connection& connection, std::vector<formula::AccessEntry>* list);
// Replaces the whole list in one transaction. kErrInvalidArgument, with the
// stored list untouched, when an entry is not sound (formula::ValidAccessEntry)
// or two entries name the same person.
STATUS WriteAccessList(const Connection& connection, const std::vector<formula::AccessEntry>& list);

}  // namespace quendral::platform::store

#endif  // QUENDRAL_PLATFORM_NOTES_STORE_ACCESS_LIST_TABLE_H_
