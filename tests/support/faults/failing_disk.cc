#include "support/faults/failing_disk.h"

#include <sqlite3.h>

#include <atomic>
#include <charconv>
#include <cstdlib>

namespace quendral::fixtures::disk {
namespace {

constexpr const char* kVfsName = "quendral-faults";

struct FaultState {
  std::atomic<bool> failing{false};
  std::atomic<FaultKind> kind{FaultKind::kWrite};
  std::atomic<std::uint64_t> nth{0};
  std::atomic<std::uint64_t> writes{0};
  std::atomic<std::uint64_t> syncs{0};
  std::atomic<std::uint64_t> locks{0};
  std::atomic<std::uint64_t> failed{0};
};

FaultState& State() {
  static FaultState state;
  return state;
}

// Counts one call and tells whether it is to fail: the planned one and every
// later one of its kind.
bool Fails(std::atomic<std::uint64_t>& counter, bool planned_kind) {
  FaultState& state = State();
  const std::uint64_t number = ++counter;
  if (!state.failing.load() || !planned_kind || number < state.nth.load()) {
    return false;
  }
  ++state.failed;
  return true;
}

bool Planned(FaultKind kind) { return State().kind.load() == kind; }

// The file of the wrapped VFS lies right behind ours.
struct FaultFile {
  sqlite3_file base;
  sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<FaultFile*>(file)->real; }

int Close(sqlite3_file* file) { return Real(file)->pMethods->xClose(Real(file)); }

int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
  return Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
}

int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
  if (Fails(State().writes, Planned(FaultKind::kWrite) || Planned(FaultKind::kDiskFull))) {
    return Planned(FaultKind::kDiskFull) ? SQLITE_FULL : SQLITE_IOERR_WRITE;
  }
  return Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset);
}

int Truncate(sqlite3_file* file, sqlite3_int64 size) {
  return Real(file)->pMethods->xTruncate(Real(file), size);
}

int Sync(sqlite3_file* file, int flags) {
  if (Fails(State().syncs, Planned(FaultKind::kSync))) {
    return SQLITE_IOERR_FSYNC;
  }
  return Real(file)->pMethods->xSync(Real(file), flags);
}

int FileSize(sqlite3_file* file, sqlite3_int64* size) {
  return Real(file)->pMethods->xFileSize(Real(file), size);
}

int Lock(sqlite3_file* file, int level) {
  if (Fails(State().locks, Planned(FaultKind::kLock))) {
    return SQLITE_IOERR_LOCK;
  }
  return Real(file)->pMethods->xLock(Real(file), level);
}

int Unlock(sqlite3_file* file, int level) {
  return Real(file)->pMethods->xUnlock(Real(file), level);
}

int CheckReservedLock(sqlite3_file* file, int* reserved) {
  return Real(file)->pMethods->xCheckReservedLock(Real(file), reserved);
}

int FileControl(sqlite3_file* file, int operation, void* argument) {
  return Real(file)->pMethods->xFileControl(Real(file), operation, argument);
}

int SectorSize(sqlite3_file* file) { return Real(file)->pMethods->xSectorSize(Real(file)); }

int DeviceCharacteristics(sqlite3_file* file) {
  return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}

int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** address) {
  return Real(file)->pMethods->xShmMap(Real(file), region, size, extend, address);
}

int ShmLock(sqlite3_file* file, int offset, int count, int flags) {
  // Releasing a lock never fails: only taking one does.
  if ((flags & SQLITE_SHM_LOCK) != 0 && Fails(State().locks, Planned(FaultKind::kLock))) {
    return SQLITE_IOERR_LOCK;
  }
  return Real(file)->pMethods->xShmLock(Real(file), offset, count, flags);
}

void ShmBarrier(sqlite3_file* file) { Real(file)->pMethods->xShmBarrier(Real(file)); }

int ShmUnmap(sqlite3_file* file, int delete_flag) {
  return Real(file)->pMethods->xShmUnmap(Real(file), delete_flag);
}

int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** page) {
  return Real(file)->pMethods->xFetch(Real(file), offset, amount, page);
}

int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
  return Real(file)->pMethods->xUnfetch(Real(file), offset, page);
}

const sqlite3_io_methods kMethods = {
    3,
    Close,
    Read,
    Write,
    Truncate,
    Sync,
    FileSize,
    Lock,
    Unlock,
    CheckReservedLock,
    FileControl,
    SectorSize,
    DeviceCharacteristics,
    ShmMap,
    ShmLock,
    ShmBarrier,
    ShmUnmap,
    Fetch,
    Unfetch,
};

sqlite3_vfs* Wrapped(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* out_flags) {
  auto* ours = reinterpret_cast<FaultFile*>(file);
  ours->real = reinterpret_cast<sqlite3_file*>(ours + 1);
  const int result = Wrapped(vfs)->xOpen(Wrapped(vfs), name, ours->real, flags, out_flags);
  // SQLite closes a file only when it has methods, so ours has them exactly
  // when the wrapped one has.
  ours->base.pMethods = ours->real->pMethods != nullptr ? &kMethods : nullptr;
  return result;
}

// The wrapping VFS: our Open, everything else the wrapped VFS's own.
struct Vfses {
  sqlite3_vfs* system = nullptr;
  sqlite3_vfs faulty{};
};

Vfses& RegisteredVfses() {
  static Vfses vfses = [] {
    Vfses made;
    made.system = sqlite3_vfs_find(nullptr);
    made.faulty = *made.system;
    made.faulty.szOsFile = static_cast<int>(sizeof(FaultFile)) + made.system->szOsFile;
    made.faulty.pNext = nullptr;
    made.faulty.zName = kVfsName;
    made.faulty.pAppData = made.system;
    made.faulty.xOpen = Open;
    return made;
  }();
  return vfses;
}

void RouteThroughFaults(bool failing, const FaultPlan& plan) {
  FaultState& state = State();
  state.failing = false;
  state.kind = plan.kind;
  state.nth = plan.nth;
  state.writes = 0;
  state.syncs = 0;
  state.locks = 0;
  state.failed = 0;
  state.failing = failing;
  sqlite3_vfs_register(&RegisteredVfses().faulty, 1);
}

}  // namespace

void CountIoCalls() { RouteThroughFaults(false, FaultPlan{}); }

void ArmFault(const FaultPlan& plan) { RouteThroughFaults(true, plan); }

void DisarmFaults() {
  State().failing = false;
  sqlite3_vfs_register(RegisteredVfses().system, 1);
}

FaultCounts CountedIoCalls() {
  const FaultState& state = State();
  return FaultCounts{state.writes.load(), state.syncs.load(), state.locks.load(),
                     state.failed.load()};
}

bool ParseFaultPlan(std::string_view text, FaultPlan* plan) {
  static constexpr std::pair<std::string_view, FaultKind> kKinds[] = {
      {"write:", FaultKind::kWrite},
      {"sync:", FaultKind::kSync},
      {"lock:", FaultKind::kLock},
      {"full:", FaultKind::kDiskFull},
  };
  for (const auto& [prefix, kind] : kKinds) {
    if (!text.starts_with(prefix)) {
      continue;
    }
    const std::string_view number = text.substr(prefix.size());
    std::uint64_t nth = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), nth);
    if (error != std::errc() || end != number.data() + number.size() || nth == 0) {
      return false;
    }
    *plan = FaultPlan{kind, nth};
    return true;
  }
  return false;
}

bool ArmFaultFromEnvironment() {
  const char* text = std::getenv(kFaultVariable);
  if (text == nullptr) {
    return true;
  }
  FaultPlan plan;
  if (!ParseFaultPlan(text, &plan)) {
    return false;
  }
  ArmFault(plan);
  return true;
}

}  // namespace quendral::fixtures::disk
