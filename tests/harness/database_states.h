// What the reliability harnesses work on and check: a generated data
// directory whose documents the repairs change, and the rule that after any
// interruption every document is exactly as it was or exactly as a complete
// run leaves it.
#ifndef QUENDRAL_TESTS_HARNESS_DATABASE_STATES_H_
#define QUENDRAL_TESTS_HARNESS_DATABASE_STATES_H_

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"

namespace quendral::harness {

// A fresh directory below the system's temporary one, removed at the end.
class TemporaryWork {
 public:
  explicit TemporaryWork(const std::string& purpose);
  ~TemporaryWork();
  TemporaryWork(const TemporaryWork&) = delete;
  TemporaryWork& operator=(const TemporaryWork&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The generated databases, relative to the data directory.
inline constexpr char kDatabase[] = "work.nsf";
inline constexpr char kTargetDatabase[] = "target.nsf";
// The replica ID the generated links point at, as the repairs take it.
inline constexpr char kOldReplicaText[] = "85256E3A:0058F1B2";
// The link-table backup some generated documents hold from an earlier run.
inline constexpr char kEarlierBackup[] = "$Links_Backup_20200101000000";

// Writes work.nsf with `documents` documents (each with a subject, most with
// hidden paragraphs and a link table pointing at the old replica, some with
// a backup of an earlier table) and target.nsf into `data_directory`. False when they could not be
// written.
bool GenerateDataDirectory(const std::filesystem::path& data_directory, std::size_t documents);

// The universal-ID texts of the documents of work.nsf, in note order.
std::vector<std::string> DocumentIds(const std::filesystem::path& data_directory);

// Copies every file of `from` into `to`, which is emptied first.
void CopyDataDirectory(const std::filesystem::path& from, const std::filesystem::path& to);

// "" when SQLite's integrity check passes on `file`, else what it found.
std::string IntegrityProblems(const std::filesystem::path& file);

// "" when every document of `actual` is either its state in `before` byte
// for byte, or its state in `after` (a complete run's result) apart from the
// time of the run, which shows in the modification time and in the names of
// link-table backups. A document whose link table changed must also hold a
// backup of the table it had before. Otherwise the first problem found.
std::string OldOrNewProblems(const platform::store::DatabaseImage& before,
                             const platform::store::DatabaseImage& after,
                             const platform::store::DatabaseImage& actual);

// "" when the database `file`, after a run that was stopped or failed, passes
// the integrity check, reads back, and holds every document old or new as
// OldOrNewProblems says; otherwise the first problem found.
std::string InterruptedRunProblems(const std::filesystem::path& file,
                                   const platform::store::DatabaseImage& before,
                                   const platform::store::DatabaseImage& after);

// "" when `actual` is `after` apart from the time of the run and from saves
// that changed nothing more (a repair run again may save again).
std::string SameOutcomeProblems(const platform::store::DatabaseImage& after,
                                const platform::store::DatabaseImage& actual);

}  // namespace quendral::harness

#endif  // QUENDRAL_TESTS_HARNESS_DATABASE_STATES_H_
