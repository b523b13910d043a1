// Finding a database by replica ID without opening every file each time.
#include <map>
#include <mutex>
#include <vector>

#include "platform/notes/api/location.h"
#include "platform/notes/store/database_scan.h"

namespace quendral::platform {
namespace {

namespace fs = std::filesystem;

struct CatalogEntry {
  fs::path file;
  TIMEDATE replica_id;
};

bool SameReplica(const TIMEDATE& left, const TIMEDATE& right) {
  return left.Innards[0] == right.Innards[0] && left.Innards[1] == right.Innards[1];
}

// A file may have been replaced or removed since it was catalogued, so a
// hit counts only once the file itself confirms it.
bool FileHasReplica(const fs::path& file, const TIMEDATE& replica_id) {
  std::unique_ptr<store::Store> store;
  store::DatabaseInfo info;
  std::error_code error;
  return !fs::is_symlink(file, error) && store::LooksLikeDatabase(file) &&
         store::Store::Open(file, &store) == kNoError && store->ReadInfo(&info) == kNoError &&
         SameReplica(info.replica_id, replica_id);
}

class ReplicaCatalog {
 public:
  STATUS Find(const fs::path& directory, const TIMEDATE& replica_id, fs::path* file) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const CatalogEntry& entry : catalogs_[directory]) {
      if (SameReplica(entry.replica_id, replica_id) && FileHasReplica(entry.file, replica_id)) {
        *file = entry.file;
        return kNoError;
      }
    }
    STATUS status = Rebuild(directory);
    if (status != kNoError) {
      return status;
    }
    for (const CatalogEntry& entry : catalogs_[directory]) {
      if (SameReplica(entry.replica_id, replica_id)) {
        *file = entry.file;
        return kNoError;
      }
    }
    return kErrReplicaNotFound;
  }

 private:
  STATUS Rebuild(const fs::path& directory) {
    std::vector<CatalogEntry> entries;
    STATUS status = store::ScanDatabases(directory, [&](const fs::path& file, store::Store& store) {
      store::DatabaseInfo info;
      if (store.ReadInfo(&info) == kNoError) {
        entries.push_back(CatalogEntry{file, info.replica_id});
      }
    });
    catalogs_[directory] = std::move(entries);
    return status == kErrDatabaseNotFound ? STATUS{kErrReplicaNotFound} : status;
  }

  std::mutex mutex_;
  std::map<fs::path, std::vector<CatalogEntry>> catalogs_;
};

}  // namespace

STATUS FindReplica(const fs::path& server_directory, const TIMEDATE& replica_id, fs::path* file) {
  static auto* catalog = new ReplicaCatalog;
  // Zero is no replica ID: it is what an unreadable replica text leaves.
  if ((replica_id.Innards[0] | replica_id.Innards[1]) == 0) {
    return kErrReplicaNotFound;
  }
  std::error_code error;
  fs::path directory = fs::weakly_canonical(server_directory, error);
  if (error) {
    return kErrReplicaNotFound;
  }
  return catalog->Find(directory, replica_id, file);
}

}  // namespace quendral::platform
