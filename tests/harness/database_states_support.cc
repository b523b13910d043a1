#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "harness/database_states.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_universal_id.h"
#include "platform/notes/formula/formula.h"
#include "repair/link_table.h"

namespace quendral::harness {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;
namespace values = platform::values;

constexpr TIMEDATE kWorkReplica{{0x11111111, 0xAAAAAAAA}};
constexpr TIMEDATE kOldReplica{{0x0058F1B2, 0x85256E3A}};
constexpr TIMEDATE kTargetReplica{{0xCAFEBABE, 0x0BADF00D}};
constexpr char kBackupPrefix[] = "$Links_Backup_";

store::ItemImage TextItem(const std::string& name, const std::string& text) {
  store::ItemImage item{name, platform::kTypeTextList, 0, {}};
  values::EncodeTextList({text}, &item.value);
  return item;
}

store::ItemImage BodyItem(std::size_t number) {
  platform::richtext::Paragraph shown;
  shown.runs.push_back(
      {platform::richtext::Run::Kind::kText, "shown " + std::to_string(number), 0});
  platform::richtext::Paragraph hidden = shown;
  hidden.runs[0].text = "hidden " + std::to_string(number);
  hidden.has_hide_when = true;
  platform::formula::CompileError error;
  platform::formula::Compile("@IsMember(\"Reader\"; @UserRoles)", &hidden.hide_when_area, &error);
  // Every third document has nothing hidden, so that repairs leave it alone.
  std::vector<platform::richtext::Paragraph> paragraphs{shown};
  if (number % 3 != 0) {
    paragraphs.push_back(hidden);
  }
  return {"Body", platform::kTypeCompositeText, 0, values::EncodeRichText(paragraphs)};
}

store::ItemImage LinkTable(const std::string& name, std::size_t number, const TIMEDATE& replica) {
  const auto tag = static_cast<std::uint32_t>(number);
  const NoteLink link{replica, UNIVERSALNOTEID{{{tag, 1}}, {{tag, 2}}},
                      UNIVERSALNOTEID{{{tag, 3}}, {{tag, 4}}}};
  store::ItemImage item{name, platform::kTypeNoteLinkList, 0, {}};
  EncodeLinkTable({link, link}, &item.value);
  return item;
}

std::vector<store::ItemImage> Items(std::size_t number) {
  // Every fourth document links elsewhere only.
  std::vector<store::ItemImage> items{
      TextItem("Subject", "subject " + std::to_string(number)), BodyItem(number),
      LinkTable("$Links", number, number % 4 == 0 ? kWorkReplica : kOldReplica)};
  // Every fifth was retargeted once before, from the target back to the old.
  if (number % 5 == 0) {
    items.push_back(LinkTable(kEarlierBackup, number, kTargetReplica));
  }
  return items;
}

bool SameItems(const store::NoteImage& a, const store::NoteImage& b) {
  if (a.items.size() != b.items.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.items.size(); ++i) {
    const store::ItemImage& x = a.items[i];
    const store::ItemImage& y = b.items[i];
    if (x.name != y.name || x.type != y.type || x.flags != y.flags || x.value != y.value) {
      return false;
    }
  }
  return true;
}

bool SameNote(const store::NoteImage& a, const store::NoteImage& b) {
  return std::memcmp(&a.unid, &b.unid, sizeof a.unid) == 0 && a.note_id == b.note_id &&
         a.note_class == b.note_class && a.profile_name == b.profile_name &&
         a.profile_user == b.profile_user && a.sequence == b.sequence &&
         a.created.seconds == b.created.seconds && a.modified.seconds == b.modified.seconds &&
         SameItems(a, b);
}

// The note without what depends on the time of the run.
store::NoteImage WithoutRunTime(store::NoteImage note) {
  note.modified = {};
  for (store::ItemImage& item : note.items) {
    if (item.name.starts_with(kBackupPrefix)) {
      item.name = kBackupPrefix;
    }
  }
  return note;
}

const store::ItemImage* FindItem(const store::NoteImage& note, std::string_view name) {
  for (const store::ItemImage& item : note.items) {
    if (item.name == name) {
      return &item;
    }
  }
  return nullptr;
}

bool HoldsBackupOf(const store::NoteImage& note, const store::ItemImage& table) {
  for (const store::ItemImage& item : note.items) {
    if (item.name.starts_with(kBackupPrefix) && item.value == table.value) {
      return true;
    }
  }
  return false;
}

std::string Named(const store::NoteImage& note) {
  return "document " + LNUniversalID::Format(note.unid).GetString();
}

std::string DocumentProblem(const store::NoteImage& before, const store::NoteImage& after,
                            const store::NoteImage& actual) {
  if (SameNote(actual, before)) {
    return "";
  }
  if (SameNote(after, before)) {
    return Named(actual) + " changed though a complete run keeps it";
  }
  if (!SameNote(WithoutRunTime(actual), WithoutRunTime(after))) {
    return Named(actual) + " is neither its old nor its new state";
  }
  if (actual.modified.seconds < before.modified.seconds) {
    return Named(actual) + " went back in time";
  }
  const store::ItemImage* old_links = FindItem(before, "$Links");
  const store::ItemImage* links = FindItem(actual, "$Links");
  if (old_links != nullptr && links != nullptr && links->value != old_links->value &&
      !HoldsBackupOf(actual, *old_links)) {
    return Named(actual) + " changed its links without a backup";
  }
  return "";
}

std::string CountProblem(const store::DatabaseImage& expected, const store::DatabaseImage& actual) {
  if (actual.notes.size() == expected.notes.size()) {
    return "";
  }
  return "the database holds " + std::to_string(actual.notes.size()) + " notes, not " +
         std::to_string(expected.notes.size());
}

}  // namespace

TemporaryWork::TemporaryWork(const std::string& purpose) {
  // create_directory reports a name that exists already, so no two runs
  // share one.
  std::random_device random;
  do {
    path_ = fs::temp_directory_path() / ("quendral-" + purpose + "-" + std::to_string(random()));
  } while (!fs::create_directory(path_));
}

TemporaryWork::~TemporaryWork() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

bool GenerateDataDirectory(const fs::path& data_directory, std::size_t documents) {
  store::DatabaseImage work{"Work", kWorkReplica, {}};
  for (std::size_t number = 1; number <= documents; ++number) {
    store::NoteImage note;
    const auto seed = static_cast<std::uint32_t>(number);
    note.unid = UNIVERSALNOTEID{{{seed, 0x5EED0001}}, {{seed * 7 + 1, 0x5EED0002}}};
    note.created = note.modified = platform::formula::DateTime{1700000000 + 60 * seed};
    note.items = Items(number);
    work.notes.push_back(std::move(note));
  }
  const store::DatabaseImage target{"Target", kTargetReplica, {}};
  fs::create_directories(data_directory);
  return store::CreateDatabaseFile(data_directory / kDatabase, work, true) == platform::kNoError &&
         store::CreateDatabaseFile(data_directory / kTargetDatabase, target, true) ==
             platform::kNoError;
}

std::vector<std::string> DocumentIds(const fs::path& data_directory) {
  store::DatabaseImage image;
  store::ReadDatabaseImage(data_directory / kDatabase, &image);
  std::vector<std::string> ids;
  for (const store::NoteImage& note : image.notes) {
    ids.push_back(LNUniversalID::Format(note.unid).GetString());
  }
  return ids;
}

void CopyDataDirectory(const fs::path& from, const fs::path& to) {
  fs::remove_all(to);
  fs::create_directories(to);
  // File by file: MinGW's fs::copy refuses to copy into an existing folder.
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
    const fs::path target = to / fs::relative(entry.path(), from);
    if (entry.is_directory()) {
      fs::create_directories(target);
    } else {
      fs::copy_file(entry.path(), target);
    }
  }
}

std::string IntegrityProblems(const fs::path& file) {
  sqlite3* database = nullptr;
  std::string problems;
  if (sqlite3_open_v2(file.string().c_str(), &database, SQLITE_OPEN_READWRITE, nullptr) !=
      SQLITE_OK) {
    problems = "cannot open " + file.string();
  }
  sqlite3_stmt* check = nullptr;
  if (problems.empty() &&
      sqlite3_prepare_v2(database, "PRAGMA integrity_check", -1, &check, nullptr) == SQLITE_OK) {
    while (sqlite3_step(check) == SQLITE_ROW) {
      const auto* line = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
      if (line != nullptr && std::strcmp(line, "ok") != 0) {
        problems += std::string(line) + "\n";
      }
    }
  } else if (problems.empty()) {
    problems = sqlite3_errmsg(database);
  }
  sqlite3_finalize(check);
  sqlite3_close(database);
  return problems;
}

std::string OldOrNewProblems(const store::DatabaseImage& before, const store::DatabaseImage& after,
                             const store::DatabaseImage& actual) {
  std::string problem = CountProblem(before, actual) + CountProblem(after, actual);
  for (std::size_t i = 0; i < actual.notes.size() && problem.empty(); ++i) {
    problem = DocumentProblem(before.notes[i], after.notes[i], actual.notes[i]);
  }
  return problem;
}

std::string SameOutcomeProblems(const store::DatabaseImage& after,
                                const store::DatabaseImage& actual) {
  std::string problem = CountProblem(after, actual);
  for (std::size_t i = 0; i < actual.notes.size() && problem.empty(); ++i) {
    // A repair run again may save again what it had done already.
    store::NoteImage resaved = WithoutRunTime(actual.notes[i]);
    resaved.sequence = std::min(resaved.sequence, after.notes[i].sequence);
    if (!SameNote(resaved, WithoutRunTime(after.notes[i]))) {
      problem = Named(actual.notes[i]) + " differs from a complete run's result";
    }
  }
  return problem;
}

std::string InterruptedRunProblems(const fs::path& file, const store::DatabaseImage& before,
                                   const store::DatabaseImage& after) {
  if (std::string problem = IntegrityProblems(file); !problem.empty()) {
    return problem;
  }
  store::DatabaseImage actual;
  if (store::ReadDatabaseImage(file, &actual) != platform::kNoError) {
    return "the database cannot be read";
  }
  return OldOrNewProblems(before, after, actual);
}

}  // namespace quendral::harness
