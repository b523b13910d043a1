#include "platform/notes/store/access_list_table.h"

#include <algorithm>
#include <set>
#include <string>

#include "platform/base/ascii.h"

namespace quendral::platform::store {
namespace {

// Roles are stored one per line: a role never holds a line end.
std::string JoinRoles(const std::vector<std::string>& roles) {
  std::string joined;
  for (const std::string& role : roles) {
    joined += (joined.empty() ? "" : "\n") + role;
  }
  return joined;
}

std::vector<std::string> SplitRoles(std::string_view joined) {
  std::vector<std::string> roles;
  std::size_t start = 0;
  while (start < joined.size()) {
    const std::size_t end = std::min(joined.find('\n', start), joined.size());
    roles.emplace_back(joined.substr(start, end - start));
    start = end + 1;
  }
  return roles;
}

STATUS HasTable(const Connection& connection, bool* found) {
  Statement statement;
  STATUS status = StatusOfSqlite(connection.Prepare(
      "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'access_list'", &statement));
  if (status != kNoError) {
    return status;
  }
  const int result = statement.Step();
  *found = result == SQLITE_ROW;
  return result == SQLITE_ROW || result == SQLITE_DONE ? STATUS{kNoError} : StatusOfSqlite(result);
}

bool Sound(const std::vector<formula::AccessEntry>& list) {
  std::set<std::string> names;
  for (const formula::AccessEntry& entry : list) {
    std::string key = entry.name;
    std::transform(key.begin(), key.end(), key.begin(), base::ToLowerAscii);
    if (!formula::ValidAccessEntry(entry) || !names.insert(std::move(key)).second) {
      return false;
    }
  }
  return true;
}

}  // namespace

const char* const kCreateAccessListTable = R"sql(
CREATE TABLE IF NOT EXISTS access_list (
  position INTEGER PRIMARY KEY,
  name BLOB NOT NULL,
  level INTEGER NOT NULL,
  privileges INTEGER NOT NULL,
  roles BLOB NOT NULL);
)sql";

STATUS ReadAccessList(const Connection& connection, std::vector<formula::AccessEntry>* list) {
  list->clear();
  bool found = false;
  STATUS status = HasTable(connection, &found);
  if (status != kNoError || !found) {
    return status;
  }
  Statement statement;
  status = StatusOfSqlite(connection.Prepare(
      "SELECT name, level, privileges, roles FROM access_list ORDER BY position", &statement));
  if (status != kNoError) {
    return status;
  }
  int result;
  while ((result = statement.Step()) == SQLITE_ROW) {
    formula::AccessEntry entry{statement.ColumnText(0), static_cast<int>(statement.ColumnInt(1)),
                               static_cast<std::uint32_t>(statement.ColumnInt(2)),
                               SplitRoles(statement.ColumnText(3))};
    if (!formula::ValidAccessEntry(entry)) {
      list->clear();
      return kErrDatabaseDamaged;
    }
    list->push_back(std::move(entry));
  }
  return result == SQLITE_DONE ? STATUS{kNoError} : StatusOfSqlite(result);
}

STATUS WriteAccessList(const Connection& connection,
                       const std::vector<formula::AccessEntry>& list) {
  if (!Sound(list)) {
    return kErrInvalidArgument;
  }
  WriteTransaction transaction(connection);
  STATUS status = StatusOfSqlite(transaction.Begin());
  if (status == kNoError) {
    status = StatusOfSqlite(connection.Execute(kCreateAccessListTable));
  }
  if (status == kNoError) {
    status = StatusOfSqlite(connection.Execute("DELETE FROM access_list"));
  }
  Statement insert;
  if (status == kNoError) {
    status = StatusOfSqlite(
        connection.Prepare("INSERT INTO access_list (position, name, level, privileges, roles) "
                           "VALUES (?, ?, ?, ?, ?)",
                           &insert));
  }
  for (std::size_t i = 0; status == kNoError && i < list.size(); ++i) {
    // Bound bytes are not copied: the joined roles must outlive the step.
    const std::string roles = JoinRoles(list[i].roles);
    insert.Reset();
    insert.BindInt(1, static_cast<std::int64_t>(i));
    insert.BindBlob(2, list[i].name);
    insert.BindInt(3, list[i].level);
    insert.BindInt(4, list[i].privileges);
    insert.BindBlob(5, roles);
    status = StatusOfSqlite(insert.Run());
  }
  return status == kNoError ? StatusOfSqlite(transaction.Commit()) : status;
}

}  // namespace quendral::platform::store
