// The tables of a database file.
//
// database_info holds the one row of replica ID and title; notes one row per
// note; items one row per item, in storage order by position; access_list
// the access control list (access_list_table.h). Texts are
// stored as blobs: they are 8-bit texts of any code page, never re-encoded.
#ifndef QUENDRAL_PLATFORM_NOTES_STORE_SCHEMA_H_
#define QUENDRAL_PLATFORM_NOTES_STORE_SCHEMA_H_

#include <cstdint>

#include "platform/notes/store/store_connection.h"
#include "platform/notes/vocabulary/status.h"

namespace quendral::platform::store {

// Marks a SQLite file as one of our databases ("QDNS").
inline constexpr std::int32_t kApplicationId = 0x51444E53;
inline constexpr std::int32_t kSchemaVersion = 1;

STATUS CreateSchema(const Connection& connection);
// kErrDatabaseDamaged unless the file holds our tables in this version.
STATUS CheckSchema(const Connection& connection);

}  // namespace quendral::platform::store

#endif  // QUENDRAL_PLATFORM_NOTES_STORE_SCHEMA_H_
