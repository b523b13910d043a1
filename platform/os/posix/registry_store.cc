#include "platform/os/registry_store.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/os/posix/process_identity.h"

namespace quendral::os {
namespace {

constexpr int kBusyTimeoutMilliseconds = 5000;
constexpr std::int64_t kRootId = 0;

constexpr char kSchema[] =
    "CREATE TABLE IF NOT EXISTS registry_keys("
    "  id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE,"
    "  UNIQUE(parent, name));"
    "CREATE TABLE IF NOT EXISTS registry_values("
    "  key INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE, type INTEGER NOT NULL,"
    "  data BLOB NOT NULL, PRIMARY KEY(key, name));"
    "CREATE TABLE IF NOT EXISTS registry_volatile_keys("
    "  id INTEGER PRIMARY KEY, owner TEXT NOT NULL);";

struct Root {
  const char* variable;
  bool per_user;
};
const Root kCurrentUser = {"QUENDRAL_REGISTRY_CURRENT_USER", true};
const Root kLocalMachine = {"QUENDRAL_REGISTRY_LOCAL_MACHINE", false};

struct DatabaseCloser {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Database = std::shared_ptr<sqlite3>;

// An open key below a root; the roots themselves are the two Root objects
// (and can be written).
struct OpenKey {
  Database db;
  std::int64_t id;
  bool writable = true;
};

struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

const Root* AsRoot(RegistryKey key) {
  if (key == &kCurrentUser || key == &kLocalMachine) {
    return static_cast<const Root*>(key);
  }
  return nullptr;
}

std::string StoreFile(const Root& root) {
  if (const char* configured = std::getenv(root.variable); configured && configured[0]) {
    return configured;
  }
  if (!root.per_user) {
    return "/var/lib/quendral/registry.sqlite";
  }
  std::filesystem::path base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0]) {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home && home[0]) {
    base = std::filesystem::path(home) / ".config";
  } else {
    return {};
  }
  return (base / "quendral" / "registry.sqlite").string();
}

// Opens the root's file; with `create` the file and its directory are made
// when missing. Tables missing from a file are made (a file of an earlier
// version lacks the volatile keys, which then are simply not there when the
// file cannot be written).
Database OpenStore(const Root& root, bool create) {
  const std::string file = StoreFile(root);
  if (file.empty()) {
    return nullptr;
  }
  if (create) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
  }
  sqlite3* raw = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  const int opened = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
  Database db(raw, DatabaseCloser());
  if (opened != SQLITE_OK) {
    return nullptr;
  }
  sqlite3_busy_timeout(raw, kBusyTimeoutMilliseconds);
  if (sqlite3_exec(raw, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK && create) {
    return nullptr;
  }
  return db;
}

Statement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  return Statement(statement);
}

void BindText(sqlite3_stmt* statement, int index, std::string_view text) {
  sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::vector<std::string_view> PathNames(std::string_view path) {
  std::vector<std::string_view> names;
  while (!path.empty()) {
    const std::size_t end = std::min(path.find('\\'), path.size());
    if (end > 0) {
      names.push_back(path.substr(0, end));
    }
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return names;
}

bool Execute(sqlite3* db, const char* sql, std::int64_t id) {
  Statement statement = Prepare(db, sql);
  if (statement == nullptr) {
    return false;
  }
  sqlite3_bind_int64(statement.get(), 1, id);
  return sqlite3_step(statement.get()) == SQLITE_DONE;
}

// The keys of the tree below and including key ?1, for a statement to follow.
constexpr std::string_view kKeyTree =
    "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL SELECT registry_keys.id FROM registry_keys "
    "JOIN tree ON registry_keys.parent = tree.id) ";

bool ExecuteOnTree(sqlite3* db, std::string_view sql, std::int64_t id) {
  return Execute(db, (std::string(kKeyTree) + std::string(sql)).c_str(), id);
}

// Removes a volatile key whose process has ended, with everything below it;
// true when the key is gone (or never was volatile and is kept: false).
bool RemoveIfOrphaned(sqlite3* db, std::int64_t id) {
  Statement owner = Prepare(db, "SELECT owner FROM registry_volatile_keys WHERE id = ?1");
  if (owner == nullptr) {
    return false;
  }
  sqlite3_bind_int64(owner.get(), 1, id);
  if (sqlite3_step(owner.get()) != SQLITE_ROW ||
      ProcessIsRunning(reinterpret_cast<const char*>(sqlite3_column_text(owner.get(), 0)))) {
    return false;
  }
  owner.reset();
  if (sqlite3_exec(db, "SAVEPOINT orphan", nullptr, nullptr, nullptr) == SQLITE_OK) {
    const bool removed =
        ExecuteOnTree(db, "DELETE FROM registry_values WHERE key IN tree", id) &&
        ExecuteOnTree(db, "DELETE FROM registry_volatile_keys WHERE id IN tree", id) &&
        ExecuteOnTree(db, "DELETE FROM registry_keys WHERE id IN tree", id);
    sqlite3_exec(db, removed ? "RELEASE orphan" : "ROLLBACK TO orphan; RELEASE orphan", nullptr,
                 nullptr, nullptr);
  }
  // Removed or not, the key is no longer there for anyone.
  return true;
}

std::optional<std::int64_t> FindChild(sqlite3* db, std::int64_t parent, std::string_view name) {
  Statement find = Prepare(db, "SELECT id FROM registry_keys WHERE parent = ?1 AND name = ?2");
  if (find == nullptr) {
    return std::nullopt;
  }
  sqlite3_bind_int64(find.get(), 1, parent);
  BindText(find.get(), 2, name);
  if (sqlite3_step(find.get()) != SQLITE_ROW) {
    return std::nullopt;
  }
  const std::int64_t id = sqlite3_column_int64(find.get(), 0);
  if (RemoveIfOrphaned(db, id)) {
    return std::nullopt;
  }
  return id;
}

// The child, made when missing; a new child is volatile with `is_volatile`.
std::optional<std::int64_t> MakeChild(sqlite3* db, std::int64_t parent, std::string_view name,
                                      bool is_volatile) {
  if (const auto existing = FindChild(db, parent, name)) {
    return existing;
  }
  Statement insert =
      Prepare(db, "INSERT OR IGNORE INTO registry_keys(parent, name) VALUES(?1, ?2)");
  if (insert == nullptr) {
    return std::nullopt;
  }
  sqlite3_bind_int64(insert.get(), 1, parent);
  BindText(insert.get(), 2, name);
  if (sqlite3_step(insert.get()) != SQLITE_DONE) {
    return std::nullopt;
  }
  if (sqlite3_changes(db) == 1 && is_volatile) {
    const std::int64_t id = sqlite3_last_insert_rowid(db);
    Statement owned = Prepare(db, "INSERT INTO registry_volatile_keys(id, owner) VALUES(?1, ?2)");
    if (owned == nullptr) {
      return std::nullopt;
    }
    sqlite3_bind_int64(owned.get(), 1, id);
    BindText(owned.get(), 2, ThisProcessIdentity());
    if (sqlite3_step(owned.get()) != SQLITE_DONE) {
      return std::nullopt;
    }
  }
  return FindChild(db, parent, name);
}

// The database and key id a handle stands for; a root is opened here.
bool Resolve(RegistryKey key, bool create, OpenKey* resolved) {
  if (const Root* root = AsRoot(key)) {
    resolved->db = OpenStore(*root, create);
    resolved->id = kRootId;
    return resolved->db != nullptr;
  }
  if (key == nullptr) {
    return false;
  }
  *resolved = *static_cast<OpenKey*>(key);
  return true;
}

// Follows `path` below `parent`; with `create` the missing keys are made,
// volatile ones when `options` says so.
long Walk(RegistryKey parent, const std::string& path, bool create, std::uint32_t options,
          OpenKey* found) {
  if (!Resolve(parent, create, found)) {
    return kRegistryNotFound;
  }
  const bool is_volatile = (options & kRegistryOptionVolatile) != 0;
  for (const std::string_view name : PathNames(path)) {
    const auto child = create ? MakeChild(found->db.get(), found->id, name, is_volatile)
                              : FindChild(found->db.get(), found->id, name);
    if (!child) {
      return create ? kRegistryAccessDenied : kRegistryNotFound;
    }
    found->id = *child;
  }
  return kRegistrySuccess;
}

long Open(RegistryKey parent, const std::string& path, bool create, std::uint32_t options,
          bool writable, RegistryKey* key) {
  *key = nullptr;
  OpenKey found;
  const long result = Walk(parent, path, create, options, &found);
  found.writable = writable;
  if (result == kRegistrySuccess) {
    *key = new OpenKey(std::move(found));
  }
  return result;
}

bool HasSubkey(sqlite3* db, std::int64_t id) {
  Statement find = Prepare(db, "SELECT 1 FROM registry_keys WHERE parent = ?1 LIMIT 1");
  sqlite3_bind_int64(find.get(), 1, id);
  return sqlite3_step(find.get()) == SQLITE_ROW;
}

}  // namespace

RegistryKey CurrentUserRoot() { return const_cast<Root*>(&kCurrentUser); }
RegistryKey LocalMachineRoot() { return const_cast<Root*>(&kLocalMachine); }

long RegistryOpenKey(RegistryKey parent, const std::string& path, RegistryAccess access,
                     RegistryKey* key) {
  return Open(parent, path, false, 0, access != RegistryAccess::kQuery, key);
}

long RegistryCreateKey(RegistryKey parent, const std::string& path, std::uint32_t options,
                       RegistryKey* key) {
  return Open(parent, path, true, options, true, key);
}

long RegistryQueryValue(RegistryKey key, const std::string& name, std::uint8_t* data,
                        std::uint32_t* size) {
  OpenKey open;
  if (!Resolve(key, false, &open)) {
    return kRegistryNotFound;
  }
  Statement query =
      Prepare(open.db.get(), "SELECT data FROM registry_values WHERE key = ?1 AND name = ?2");
  if (query == nullptr) {
    return kRegistryNotFound;
  }
  sqlite3_bind_int64(query.get(), 1, open.id);
  BindText(query.get(), 2, name);
  if (sqlite3_step(query.get()) != SQLITE_ROW) {
    return kRegistryNotFound;
  }
  const auto length = static_cast<std::uint32_t>(sqlite3_column_bytes(query.get(), 0));
  const std::uint32_t room = *size;
  *size = length;
  if (data == nullptr) {
    return kRegistrySuccess;
  }
  if (length > room) {
    return kRegistryMoreData;
  }
  if (length > 0) {
    std::memcpy(data, sqlite3_column_blob(query.get(), 0), length);
  }
  return kRegistrySuccess;
}

long RegistrySetValue(RegistryKey key, const std::string& name, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t size) {
  OpenKey open;
  if (!Resolve(key, true, &open)) {
    return kRegistryNotFound;
  }
  if (!open.writable) {
    return kRegistryAccessDenied;
  }
  Statement store = Prepare(open.db.get(),
                            "INSERT OR REPLACE INTO registry_values(key, name, type, data) "
                            "VALUES(?1, ?2, ?3, ?4)");
  if (store == nullptr) {
    return kRegistryAccessDenied;
  }
  sqlite3_bind_int64(store.get(), 1, open.id);
  BindText(store.get(), 2, name);
  sqlite3_bind_int64(store.get(), 3, type);
  sqlite3_bind_blob(store.get(), 4, size > 0 ? data : reinterpret_cast<const std::uint8_t*>(""),
                    static_cast<int>(size), SQLITE_TRANSIENT);
  return sqlite3_step(store.get()) == SQLITE_DONE ? kRegistrySuccess : kRegistryAccessDenied;
}

long RegistryEnumerateKey(RegistryKey key, std::uint32_t index, std::string* name) {
  OpenKey open;
  if (!Resolve(key, false, &open)) {
    return kRegistryNoMoreItems;
  }
  Statement list = Prepare(open.db.get(),
                           "SELECT name FROM registry_keys WHERE parent = ?1 "
                           "ORDER BY name LIMIT 1 OFFSET ?2");
  if (list == nullptr) {
    return kRegistryNoMoreItems;
  }
  sqlite3_bind_int64(list.get(), 1, open.id);
  sqlite3_bind_int64(list.get(), 2, index);
  if (sqlite3_step(list.get()) != SQLITE_ROW) {
    return kRegistryNoMoreItems;
  }
  name->assign(reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0)));
  return kRegistrySuccess;
}

long RegistryDeleteKey(RegistryKey parent, const std::string& path) {
  OpenKey found;
  const long result = Walk(parent, path, false, 0, &found);
  if (result != kRegistrySuccess) {
    return result;
  }
  if (found.id == kRootId || HasSubkey(found.db.get(), found.id)) {
    return kRegistryAccessDenied;
  }
  sqlite3* db = found.db.get();
  const bool deleted =
      sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK &&
      Execute(db, "DELETE FROM registry_values WHERE key = ?1", found.id) &&
      Execute(db, "DELETE FROM registry_volatile_keys WHERE id = ?1", found.id) &&
      Execute(db, "DELETE FROM registry_keys WHERE id = ?1", found.id) &&
      sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  if (!deleted) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return kRegistryAccessDenied;
  }
  return kRegistrySuccess;
}

void RegistryCloseKey(RegistryKey key) {
  if (AsRoot(key) == nullptr) {
    delete static_cast<OpenKey*>(key);
  }
}

}  // namespace quendral::os
