#include "platform/notes/store/schema.h"

#include <string>

#include "platform/notes/store/access_list_table.h"

namespace quendral::platform::store {
namespace {

constexpr const char* kCreateTables = R"sql(
CREATE TABLE database_info (
  singleton INTEGER PRIMARY KEY CHECK (singleton = 1),
  replica_word0 INTEGER NOT NULL,
  replica_word1 INTEGER NOT NULL,
  title BLOB NOT NULL);
CREATE TABLE notes (
  note_id INTEGER PRIMARY KEY,
  unid BLOB NOT NULL UNIQUE,
  note_class INTEGER NOT NULL,
  profile_name BLOB,
  profile_user BLOB,
  sequence INTEGER NOT NULL,
  created INTEGER NOT NULL,
  modified INTEGER NOT NULL);
CREATE UNIQUE INDEX notes_by_profile ON notes (profile_name, profile_user)
  WHERE note_class = 1;
CREATE TABLE items (
  item_id INTEGER PRIMARY KEY,
  note_id INTEGER NOT NULL REFERENCES notes (note_id),
  position INTEGER NOT NULL,
  name BLOB NOT NULL,
  type INTEGER NOT NULL,
  flags INTEGER NOT NULL,
  value BLOB NOT NULL,
  UNIQUE (note_id, position));
)sql";

STATUS ReadPragma(const Connection& connection, const char* sql, std::int64_t* value) {
  Statement statement;
  STATUS status = StatusOfSqlite(connection.Prepare(sql, &statement));
  if (status != kNoError) {
    return status;
  }
  if (statement.Step() != SQLITE_ROW) {
    return kErrDatabaseDamaged;
  }
  *value = statement.ColumnInt(0);
  return kNoError;
}

}  // namespace

STATUS CreateSchema(const Connection& connection) {
  std::string sql = kCreateTables;
  sql += kCreateAccessListTable;
  sql += "PRAGMA application_id = " + std::to_string(kApplicationId) + ";";
  sql += "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";";
  return StatusOfSqlite(connection.Execute(sql.c_str()));
}

STATUS CheckSchema(const Connection& connection) {
  std::int64_t application_id = 0;
  std::int64_t version = 0;
  STATUS status = ReadPragma(connection, "PRAGMA application_id", &application_id);
  if (status == kNoError) {
    status = ReadPragma(connection, "PRAGMA user_version", &version);
  }
  if (status != kNoError) {
    return status;
  }
  return application_id == kApplicationId && version == kSchemaVersion ? kNoError
                                                                       : kErrDatabaseDamaged;
}

}  // namespace quendral::platform::store
