// Helpers of the Notes platform tests: temporary data directories and small
// databases made from images.
#ifndef QUENDRAL_TESTS_PLATFORM_NOTES_NOTES_TEST_SUPPORT_H_
#define QUENDRAL_TESTS_PLATFORM_NOTES_NOTES_TEST_SUPPORT_H_

#include <filesystem>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"
#include "platform/notes/api/ln.h"

namespace quendral::platform::fixtures {

// A fresh directory, removed with everything in it at the end of the test.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

UNIVERSALNOTEID MakeUnid(std::uint32_t seed);
store::ItemImage TextItem(const std::string& name, const std::vector<std::string>& texts);
store::NoteImage Document(std::uint32_t seed, std::vector<store::ItemImage> items);

// Writes a database with the given replica ID and notes; fails the test
// when that does not work.
void WriteDatabase(const std::filesystem::path& file, TIMEDATE replica_id,
                   std::vector<store::NoteImage> notes);

// A session initialized on `data_directory`, throw-all-errors mode off.
class SessionOn {
 public:
  explicit SessionOn(const std::filesystem::path& data_directory);
  ~SessionOn();
  LNNotesSession& operator*() { return session_; }
  LNNotesSession* operator->() { return &session_; }

 private:
  LNNotesSession session_;
};

// Opens `path` through `session`, then the document `unid` in it.
void OpenDocument(LNNotesSession& session, const std::string& path, const UNIVERSALNOTEID& unid,
                  LNDatabase* db, LNDocument* doc);

std::string ItemText(const LNNote& note, const std::string& name);

}  // namespace quendral::platform::fixtures

#endif  // QUENDRAL_TESTS_PLATFORM_NOTES_NOTES_TEST_SUPPORT_H_
