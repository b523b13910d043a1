#include "platform/os/registry_store.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/os/posix/process_identity.h"
#include "platform/sqlite/sqlite_connection.h"

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

using Connection = base::sqlite::Connection;
using Statement = base::sqlite::Statement;
// Shared by the keys opened through it.
using Database = std::shared_ptr<Connection>;

// An open key below a root; the roots themselves are the two Root objects
// (and can be written).
struct OpenKey {
  Database db;
  std::int64_t id;
  bool writable = true;
};

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
  auto db = std::make_shared<Connection>();
  // Keys opened through it may be used from any thread.
  if (db->Open(file, create, base::sqlite::Threading::kSerialized) != SQLITE_OK) {
    return nullptr;
  }
  db->SetBusyTimeout(kBusyTimeoutMilliseconds);
  if (db->Execute(kSchema) != SQLITE_OK && create) {
    return nullptr;
  }
  return db;
}

// A statement that failed to prepare is left empty: every step of it fails.
Statement Prepare(const Connection& db, std::string_view sql) {
  Statement statement;
  db.Prepare(sql, &statement);
  return statement;
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

bool Execute(const Connection& db, std::string_view sql, std::int64_t id) {
  Statement statement = Prepare(db, sql);
  if (statement.get() == nullptr) {
    return false;
  }
  statement.BindInt(1, id);
  return statement.Step() == SQLITE_DONE;
}

// The keys of the tree below and including key ?1, for a statement to follow.
constexpr std::string_view kKeyTree =
    "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL SELECT registry_keys.id FROM registry_keys "
    "JOIN tree ON registry_keys.parent = tree.id) ";

bool ExecuteOnTree(const Connection& db, std::string_view sql, std::int64_t id) {
  return Execute(db, std::string(kKeyTree) + std::string(sql), id);
}

// Removes a volatile key whose process has ended, with everything below it;
// true when the key is gone (or never was volatile and is kept: false).
bool RemoveIfOrphaned(const Connection& db, std::int64_t id) {
  Statement owner = Prepare(db, "SELECT owner FROM registry_volatile_keys WHERE id = ?1");
  if (owner.get() == nullptr) {
    return false;
  }
  owner.BindInt(1, id);
  if (owner.Step() != SQLITE_ROW || ProcessIsRunning(owner.ColumnText(0))) {
    return false;
  }
  owner = Statement();
  if (db.Execute("SAVEPOINT orphan") == SQLITE_OK) {
    const bool removed =
        ExecuteOnTree(db, "DELETE FROM registry_values WHERE key IN tree", id) &&
        ExecuteOnTree(db, "DELETE FROM registry_volatile_keys WHERE id IN tree", id) &&
        ExecuteOnTree(db, "DELETE FROM registry_keys WHERE id IN tree", id);
    db.Execute(removed ? "RELEASE orphan" : "ROLLBACK TO orphan; RELEASE orphan");
  }
  // Removed or not, the key is no longer there for anyone.
  return true;
}

std::optional<std::int64_t> FindChild(const Connection& db, std::int64_t parent,
                                      std::string_view name) {
  Statement find = Prepare(db, "SELECT id FROM registry_keys WHERE parent = ?1 AND name = ?2");
  if (find.get() == nullptr) {
    return std::nullopt;
  }
  find.BindInt(1, parent);
  find.BindText(2, name);
  if (find.Step() != SQLITE_ROW) {
    return std::nullopt;
  }
  const std::int64_t id = find.ColumnInt(0);
  if (RemoveIfOrphaned(db, id)) {
    return std::nullopt;
  }
  return id;
}

// The child, made when missing; a new child is volatile with `is_volatile`.
std::optional<std::int64_t> MakeChild(const Connection& db, std::int64_t parent,
                                      std::string_view name, bool is_volatile) {
  if (const auto existing = FindChild(db, parent, name)) {
    return existing;
  }
  Statement insert =
      Prepare(db, "INSERT OR IGNORE INTO registry_keys(parent, name) VALUES(?1, ?2)");
  if (insert.get() == nullptr) {
    return std::nullopt;
  }
  insert.BindInt(1, parent);
  insert.BindText(2, name);
  if (insert.Step() != SQLITE_DONE) {
    return std::nullopt;
  }
  if (db.Changes() == 1 && is_volatile) {
    const std::int64_t id = db.LastInsertRowId();
    Statement owned = Prepare(db, "INSERT INTO registry_volatile_keys(id, owner) VALUES(?1, ?2)");
    if (owned.get() == nullptr) {
      return std::nullopt;
    }
    const std::string owner = ThisProcessIdentity();
    owned.BindInt(1, id);
    owned.BindText(2, owner);
    if (owned.Step() != SQLITE_DONE) {
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
    const auto child = create ? MakeChild(*found->db, found->id, name, is_volatile)
                              : FindChild(*found->db, found->id, name);
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

bool HasSubkey(const Connection& db, std::int64_t id) {
  Statement find = Prepare(db, "SELECT 1 FROM registry_keys WHERE parent = ?1 LIMIT 1");
  find.BindInt(1, id);
  return find.Step() == SQLITE_ROW;
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
      Prepare(*open.db, "SELECT data FROM registry_values WHERE key = ?1 AND name = ?2");
  if (query.get() == nullptr) {
    return kRegistryNotFound;
  }
  query.BindInt(1, open.id);
  query.BindText(2, name);
  if (query.Step() != SQLITE_ROW) {
    return kRegistryNotFound;
  }
  const std::uint8_t* bytes = query.ColumnBlob(0);
  const auto length = static_cast<std::uint32_t>(query.ColumnBytes(0));
  const std::uint32_t room = *size;
  *size = length;
  if (data == nullptr) {
    return kRegistrySuccess;
  }
  if (length > room) {
    return kRegistryMoreData;
  }
  if (length > 0) {
    std::memcpy(data, bytes, length);
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
  Statement store = Prepare(*open.db,
                            "INSERT OR REPLACE INTO registry_values(key, name, type, data) "
                            "VALUES(?1, ?2, ?3, ?4)");
  if (store.get() == nullptr) {
    return kRegistryAccessDenied;
  }
  store.BindInt(1, open.id);
  store.BindText(2, name);
  store.BindInt(3, type);
  store.BindBlob(4, data, size);
  return store.Step() == SQLITE_DONE ? kRegistrySuccess : kRegistryAccessDenied;
}

long RegistryEnumerateKey(RegistryKey key, std::uint32_t index, std::string* name) {
  OpenKey open;
  if (!Resolve(key, false, &open)) {
    return kRegistryNoMoreItems;
  }
  Statement list = Prepare(*open.db,
                           "SELECT name FROM registry_keys WHERE parent = ?1 "
                           "ORDER BY name LIMIT 1 OFFSET ?2");
  if (list.get() == nullptr) {
    return kRegistryNoMoreItems;
  }
  list.BindInt(1, open.id);
  list.BindInt(2, index);
  if (list.Step() != SQLITE_ROW) {
    return kRegistryNoMoreItems;
  }
  *name = list.ColumnText(0);
  return kRegistrySuccess;
}

long RegistryDeleteKey(RegistryKey parent, const std::string& path) {
  OpenKey found;
  const long result = Walk(parent, path, false, 0, &found);
  if (result != kRegistrySuccess) {
    return result;
  }
  if (found.id == kRootId || HasSubkey(*found.db, found.id)) {
    return kRegistryAccessDenied;
  }
  base::sqlite::WriteTransaction transaction(*found.db);
  const bool deleted =
      transaction.Begin() == SQLITE_OK &&
      Execute(*found.db, "DELETE FROM registry_values WHERE key = ?1", found.id) &&
      Execute(*found.db, "DELETE FROM registry_volatile_keys WHERE id = ?1", found.id) &&
      Execute(*found.db, "DELETE FROM registry_keys WHERE id = ?1", found.id) &&
      transaction.Commit() == SQLITE_OK;
  return deleted ? kRegistrySuccess : kRegistryAccessDenied;
}

void RegistryCloseKey(RegistryKey key) {
  if (AsRoot(key) == nullptr) {
    delete static_cast<OpenKey*>(key);
  }
}

}  // namespace quendral::os
